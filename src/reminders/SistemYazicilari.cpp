#include "reminders/SistemYazicilari.h"

#include "core/OrtakYordamlar.h"

#include <QFile>
#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>

#include <cups/cups.h>

namespace Zelvora {

namespace {

struct Hedefler {
    cups_dest_t *d = nullptr;
    int n = 0;
    Hedefler() { n = cupsGetDests2(CUPS_HTTP_DEFAULT, &d); }
    ~Hedefler() { cupsFreeDests(n, d); }
    Hedefler(const Hedefler &) = delete;
    Hedefler &operator=(const Hedefler &) = delete;
    // The name Qt's printer knows it by: "name" or "name/instance".
    QString ad(int i) const
    {
        QString a = QString::fromUtf8(d[i].name);
        if (d[i].instance)
            a += QLatin1Char('/') + QString::fromUtf8(d[i].instance);
        return a;
    }
};

// A whole PDF file ends with its end-of-file marker (and a line end or two).
bool pdfTamamMi(const QString &dosya)
{
    QFile f(dosya);
    if (!f.open(QIODevice::ReadOnly) || f.size() < 32 || !f.read(5).startsWith("%PDF-"))
        return false;
    f.seek(f.size() - 16);
    return f.read(16).contains("%%EOF");
}

} // namespace

QList<YaziciKaydi> SistemYazicilari::liste() const
{
    Hedefler h;
    QList<YaziciKaydi> l;
    QString varsayilan;
    for (int i = 0; i < h.n; ++i) {
        const cups_dest_t &d = h.d[i];
        QString port = QString::fromUtf8(cupsGetOption("device-uri", d.num_options, d.options));
        // A queue of another server reports no device of its own: its address is where it is.
        if (port.isEmpty())
            port = QString::fromUtf8(cupsGetOption("printer-uri-supported", d.num_options, d.options));
        l.append({h.ad(i), port, i});
        if (d.is_default && varsayilan.isEmpty())
            varsayilan = h.ad(i);
    }
    if (!m_gecerliBelli) {
        // Without a system default the first printer is the one used.
        m_gecerli = !varsayilan.isEmpty() ? varsayilan : (l.isEmpty() ? QString() : l.first().ad);
        m_gecerliBelli = !l.isEmpty();
    }
    return l;
}

QString SistemYazicilari::gecerliYazici() const
{
    if (!m_gecerliBelli)
        liste();
    return m_gecerli;
}

void SistemYazicilari::gecerliYaziciyiDegistir(const QString &ad)
{
    m_gecerli = ad;
    m_gecerliBelli = true;
}

std::unique_ptr<SayfaYuzeyi> SistemYazicilari::belgeBaslat(const QString &belgeAdi)
{
    const QString ad = gecerliYazici();
    if (ad.isEmpty())
        throw Hata(HataNo::Yazici, QStringLiteral("Yüklü bir yazıcı bulunamadı."));
    return YaziciSayfasi::yaziciya(ad, belgeAdi);
}

YaziciSayfasi::YaziciSayfasi(std::unique_ptr<QPrinter> yazici) : m_yazici(std::move(yazici)) {}

YaziciSayfasi::~YaziciSayfasi()
{
    // A document that was not finished is not sent; a PDF file left half written goes.
    if (m_ressam.isActive()) {
        m_yazici->abort();
        m_ressam.end();
        if (m_yazici->outputFormat() == QPrinter::PdfFormat)
            QFile::remove(m_yazici->outputFileName());
    }
}

std::unique_ptr<YaziciSayfasi> YaziciSayfasi::yaziciya(const QString &yaziciAdi, const QString &belgeAdi)
{
    auto p = std::make_unique<QPrinter>(QPrinter::HighResolution);
    p->setPrinterName(yaziciAdi);
    if (p->outputFormat() != QPrinter::NativeFormat || p->printerName() != yaziciAdi)
        throw Hata(HataNo::Yazici, QStringLiteral("Yazıcı bulunamadı: ") + yaziciAdi);
    p->setDocName(belgeAdi);
    std::unique_ptr<YaziciSayfasi> s(new YaziciSayfasi(std::move(p)));
    s->m_ad = yaziciAdi;
    s->baslat();
    return s;
}

std::unique_ptr<YaziciSayfasi> YaziciSayfasi::pdfDosyasina(const QString &dosya, const QString &belgeAdi)
{
    auto p = std::make_unique<QPrinter>(QPrinter::HighResolution);
    p->setOutputFormat(QPrinter::PdfFormat);
    p->setOutputFileName(dosya);
    p->setPageSize(QPageSize(QPageSize::A4));
    p->setPageOrientation(QPageLayout::Portrait);
    p->setDocName(belgeAdi);
    std::unique_ptr<YaziciSayfasi> s(new YaziciSayfasi(std::move(p)));
    s->m_ad = dosya;
    s->baslat();
    return s;
}

bool YaziciSayfasi::pdfMi() const
{
    return m_yazici->outputFormat() == QPrinter::PdfFormat;
}

void YaziciSayfasi::baslat()
{
    if (!m_ressam.begin(m_yazici.get()))
        throw Hata(HataNo::Yazici, (pdfMi() ? QStringLiteral("Dosya yazılamadı: ") : QStringLiteral("Yazıcıya bağlanılamadı: "))
                                       + m_ad);
    // The printer's own font; only its size, weight and underline change.
    m_temel = m_ressam.font();
    m_mmPiksel = m_yazici->resolution() / 25.4;
    m_alan = m_yazici->pageRect(QPrinter::Millimeter).size();
}

const YaziciSayfasi::Yazi &YaziciSayfasi::yazi(const YaziBicimi &b) const
{
    const int anahtar = qRound(b.punto * 10) * 4 + (b.kalin ? 2 : 0) + (b.altiCizili ? 1 : 0);
    auto it = m_yazilar.constFind(anahtar);
    if (it != m_yazilar.constEnd())
        return **it;
    QFont f = m_temel;
    f.setPointSizeF(b.punto);
    f.setBold(b.kalin);
    f.setUnderline(b.altiCizili);
    auto y = std::make_shared<Yazi>(Yazi{f, QFontMetricsF(f, m_yazici.get())});
    m_yazilar.insert(anahtar, y);
    return *y;
}

QSizeF YaziciSayfasi::alan() const
{
    return m_alan;
}

double YaziciSayfasi::olc(const QString &metin, const YaziBicimi &b) const
{
    return yazi(b).olcu.horizontalAdvance(metin) / m_mmPiksel;
}

double YaziciSayfasi::satirYuksekligi(const YaziBicimi &b) const
{
    return yazi(b).olcu.lineSpacing() / m_mmPiksel;
}

void YaziciSayfasi::ciz(const QString &metin, double sol, double ust, const YaziBicimi &b)
{
    if (metin.isEmpty())
        return;
    const Yazi &y = yazi(b);
    m_ressam.setFont(y.font);
    m_ressam.drawText(QPointF(sol * m_mmPiksel, ust * m_mmPiksel + y.olcu.ascent()), metin);
}

void YaziciSayfasi::sayfaEkle()
{
    if (!m_yazici->newPage())
        throw Hata(HataNo::Yazici, QStringLiteral("Yeni sayfaya geçilemedi: ") + m_ad);
}

void YaziciSayfasi::belgeyiKapat()
{
    if (!m_ressam.isActive())
        return;
    const bool tamam = m_ressam.end();
    if (pdfMi()) {
        // The PDF writer does not report a failed write (a full disk): the file must end
        // as a PDF does.
        if (!tamam || !pdfTamamMi(m_ad)) {
            QFile::remove(m_ad);
            throw Hata(HataNo::Yazici, QStringLiteral("Dosya yazılamadı: ") + m_ad);
        }
        return;
    }
    if (!tamam || m_yazici->printerState() == QPrinter::Error)
        throw Hata(HataNo::Yazici, QStringLiteral("Belge yazıcıya gönderilemedi: ") + m_ad);
    // Qt's print engine hands the finished document to CUPS itself on end() and drops
    // CUPS's answer; that answer is still this thread's last CUPS status. A queue that
    // refuses jobs (stopped, rejecting, gone) answers with an error and no job is made.
    if (m_yazici->outputFormat() == QPrinter::NativeFormat && cupsLastError() > IPP_STATUS_OK_EVENTS_COMPLETE) {
        const QString neden = QString::fromUtf8(cupsLastErrorString());
        throw Hata(HataNo::Yazici, QStringLiteral("Yazıcı belgeyi kabul etmedi: ") + m_ad
                                       + (neden.isEmpty() ? QString() : QStringLiteral(" (") + neden + QLatin1Char(')')));
    }
}

} // namespace Zelvora
