// Every window at the fonts the Linux desktops use (GNOME's Cantarell 11, DejaVu Sans 11,
// KDE's Noto Sans 10), run again at a scale factor of 1.25 by CTest: no caption and no
// value of a fixed form (a date, a time, a number) is wider or taller than its room.

#include "TestOrtami.h"

#include "core/Veritabani.h"
#include "jobs/IsEklemeDegistirmeFormu.h"
#include "jobs/KlasorAgaci.h"
#include "reminders/HatirlatmaFormu.h"
#include "reminders/YapilacakIslerListesiFormu.h"
#include "reminders/YaziciSecmeFormu.h"
#include "tools/AramaIslemleriFormu.h"
#include "tools/GirisSifresiBelirleDegistirFormu.h"
#include "tools/GirisSifresiSorFormu.h"
#include "tools/SureHesaplamaFormu.h"
#include "tools/TakvimFormu.h"
#include "tools/TercihlerFormu.h"
#include "ui/AnaForm.h"
#include "ui/HakkindaFormu.h"
#include "ui/HataBildirmeFormu.h"

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QFontDatabase>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyleOptionButton>
#include <QRegularExpression>
#include <QStyleOptionComboBox>
#include <QTextDocument>
#include <QTreeView>
#include <QtTest>

#include <functional>

using namespace Zelvora;

namespace {

// The text a label or button shows: access keys' "&" gone, rich text as plain text.
QString gorunenMetin(const QString &metin, bool zengin)
{
    if (zengin) {
        QTextDocument d;
        d.setHtml(metin);
        return d.toPlainText();
    }
    QString s = metin;
    s.replace(QLatin1String("&&"), QStringLiteral("\x01"));
    s.remove(QLatin1Char('&'));
    s.replace(QStringLiteral("\x01"), QStringLiteral("&"));
    return s;
}

// A value of a fixed form, which must be shown whole: a free text may be cut with an
// ellipsis, a date or a time never.
bool sabitBicimli(const QString &s)
{
    static const QRegularExpression kalip(QStringLiteral(R"(^(\d{1,2}\.\d{1,2}\.\d{4}|\d{1,2}:\d{2}(:\d{2})?|\d+)$)"));
    return kalip.match(s.trimmed()).hasMatch();
}

QString adi(const QWidget *w)
{
    return QStringLiteral("%1 %2").arg(QString::fromLatin1(w->metaObject()->className()), w->objectName());
}

// Every shown control of the window whose text does not fit its room, with what it needs.
QStringList kirpilanlar(QWidget *pencere)
{
    QStringList sonuc;
    auto bildir = [&sonuc](const QWidget *w, const QString &metin, QSize gerek, QSize oda) {
        sonuc << QStringLiteral("%1 \"%2\": needs %3x%4, has %5x%6")
                     .arg(adi(w), metin)
                     .arg(gerek.width()).arg(gerek.height())
                     .arg(oda.width()).arg(oda.height());
    };
    const auto denetimler = pencere->findChildren<QWidget *>();
    for (QWidget *w : denetimler) {
        if (!w->isVisibleTo(pencere) || w->width() <= 0)
            continue;
        const QFontMetrics fm(w->font());
        if (auto *l = qobject_cast<QLabel *>(w)) {
            if (l->text().isEmpty() || !l->pixmap().isNull())
                continue;
            const bool zengin = l->textFormat() == Qt::RichText
                || (l->textFormat() == Qt::AutoText && Qt::mightBeRichText(l->text()));
            const QString metin = gorunenMetin(l->text(), zengin);
            QRect oda = l->contentsRect().adjusted(l->margin(), l->margin(), -l->margin(), -l->margin());
            if (l->wordWrap() || zengin) {
                const int h = l->heightForWidth(l->width());
                if (h > l->height())
                    bildir(l, metin, QSize(l->width(), h), l->size());
                continue;
            }
            const QSize gerek = fm.size(0, metin);
            if (gerek.width() > oda.width() || gerek.height() > oda.height())
                bildir(l, metin, gerek, oda.size());
        } else if (auto *b = qobject_cast<QAbstractButton *>(w)) {
            if (b->text().isEmpty())
                continue;
            const QString metin = gorunenMetin(b->text(), false);
            // A push button's hint holds the style's least width, which is no need of its text.
            QStyleOptionButton o;
            o.initFrom(b);
            o.text = b->text();
            const int kenar = qobject_cast<QPushButton *>(b)
                ? b->style()->pixelMetric(QStyle::PM_ButtonMargin, &o, b) + 2 * b->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &o, b)
                : 0;
            const QSize gerek(qobject_cast<QPushButton *>(b) ? fm.horizontalAdvance(metin) + kenar : b->sizeHint().width(),
                              fm.height());
            if (gerek.width() > b->width() || gerek.height() > b->height())
                bildir(b, metin, gerek, b->size());
        } else if (auto *e = qobject_cast<QLineEdit *>(w)) {
            // Typed text scrolls; a value the window fills in (read only, or in a mask) is read whole.
            if (e->text().isEmpty() || (!e->isReadOnly() && e->inputMask().isEmpty() && !sabitBicimli(e->text())))
                continue;
            const int cerceve = e->hasFrame() ? 2 * e->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, e) : 0;
            const QMargins m = e->textMargins();
            const QSize oda(e->width() - cerceve - m.left() - m.right() - 4, e->height() - cerceve);
            const QSize gerek(fm.horizontalAdvance(e->text()), fm.height());
            if (gerek.width() > oda.width() || gerek.height() > oda.height())
                bildir(e, e->text(), gerek, oda);
        } else if (auto *c = qobject_cast<QComboBox *>(w)) {
            QStyleOptionComboBox o;
            o.initFrom(c);
            o.editable = c->isEditable();
            o.frame = c->hasFrame();
            const QRect oda = c->style()->subControlRect(QStyle::CC_ComboBox, &o, QStyle::SC_ComboBoxEditField, c);
            for (int i = 0; i < c->count(); ++i) {
                const QSize gerek(fm.horizontalAdvance(c->itemText(i)), fm.height());
                if (gerek.width() > oda.width() || gerek.height() > oda.height() + 2)
                    bildir(c, c->itemText(i), gerek, oda.size());
            }
        } else if (auto *s = qobject_cast<QAbstractSpinBox *>(w)) {
            if (s->sizeHint().width() > s->width() || fm.height() > s->height())
                bildir(s, s->text(), s->sizeHint(), s->size());
        } else if (auto *v = qobject_cast<QTreeView *>(w)) {
            QHeaderView *h = v->header();
            const int kenar = v->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, h);
            for (int sutun = 0; v->model() && sutun < v->model()->columnCount(); ++sutun) {
                if (h->isSectionHidden(sutun) || h->sectionSize(sutun) == 0)
                    continue;
                if (!h->isHidden()) {
                    const QString baslik = v->model()->headerData(sutun, Qt::Horizontal).toString();
                    const QSize gerek(fm.horizontalAdvance(baslik) + 2 * kenar, fm.height());
                    if (!baslik.isEmpty() && gerek.width() > h->sectionSize(sutun))
                        bildir(h, baslik, gerek, QSize(h->sectionSize(sutun), h->height()));
                }
                for (int satir = 0; satir < qMin(v->model()->rowCount(), 20); ++satir) {
                    const QModelIndex i = v->model()->index(satir, sutun);
                    const QString metin = i.data().toString();
                    if (!sabitBicimli(metin))
                        continue;
                    const QSize gerek = v->sizeHintForIndex(i);
                    if (gerek.width() > v->columnWidth(sutun))
                        bildir(v, metin, gerek, QSize(v->columnWidth(sutun), v->visualRect(i).height()));
                }
            }
        }
    }
    return sonuc;
}

struct Yazi {
    const char *aile;
    int punto;
};
const Yazi Yazilar[] = {{"Cantarell", 11}, {"DejaVu Sans", 11}, {"Noto Sans", 10}};

} // namespace

class YerlesimTesti : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void pencereler_data();
    void pencereler();
    void cleanupTestCase();

private:
    Test::Ortam m_ortam;
    std::unique_ptr<AnaForm> m_ana;
    QFont m_eskiYazi;
};

void YerlesimTesti::initTestCase()
{
    for (const Yazi &y : Yazilar)
        if (!QFontDatabase::hasFamily(QString::fromLatin1(y.aile)))
            ZELVORA_CALISAMAZ("the desktops' fonts are not installed (scripts/kur.sh installs fonts-cantarell, fonts-noto-core, fonts-dejavu-core)");
    m_eskiYazi = QApplication::font();
    m_ortam.veritabaniniAc();
    Veritabani &vt = Veritabani::acik();
    vt.klasorEkle({QStringLiteral("1-Anahtar"), QStringLiteral("Klasor"), QStringLiteral("Duruşmalar")});
    // A due job of today and others around it, so the lists show dates, times and numbers.
    const QDate bugun = m_ortam.saat->an.date();
    for (int i = 0; i < 5; ++i)
        vt.isEkle({0, QStringLiteral("1-Anahtar"), bugun.addDays(i - 2), QTime(19, 9 + i),
                   QStringLiteral("Asliye Hukuk duruşması %1").arg(i), QStringLiteral("Adliye, 3. kat"),
                   QStringLiteral("2026/%1").arg(100 + i), QStringLiteral("Dosya açıklaması"), true, false});
}

void YerlesimTesti::cleanupTestCase()
{
    m_ana.reset();
    QApplication::setFont(m_eskiYazi);
}

void YerlesimTesti::pencereler_data()
{
    QTest::addColumn<QString>("aile");
    QTest::addColumn<int>("punto");
    for (const Yazi &y : Yazilar)
        QTest::newRow(QStringLiteral("%1 %2").arg(QString::fromLatin1(y.aile)).arg(y.punto).toUtf8().constData())
            << QString::fromLatin1(y.aile) << y.punto;
}

void YerlesimTesti::pencereler()
{
    QFETCH(QString, aile);
    QFETCH(int, punto);
    QApplication::setFont(QFont(aile, punto));
    // Windows made after the font is set, as at a start on that desktop.
    m_ana = std::make_unique<AnaForm>(false);
    using Yapici = std::function<std::unique_ptr<QWidget>()>;
    const QList<QPair<const char *, Yapici>> pencereler = {
        {"AnaForm", [] { return std::unique_ptr<QWidget>(); }},
        {"IsEklemeDegistirmeFormu", [] {
             auto f = std::make_unique<IsEklemeDegistirmeFormu>();
             f->ekle(QStringLiteral("1-Anahtar"), QStringLiteral("Yapılacak İş Ekleme"));
             return std::unique_ptr<QWidget>(std::move(f));
         }},
        {"HatirlatmaFormu", [this] {
             auto f = std::make_unique<HatirlatmaFormu>(m_ana.get());
             const QDate bugun = m_ortam.saat->an.date();
             f->isleriDoldur(Veritabani::acik().isleriListele(QStringLiteral("1-Anahtar"), false, false, bugun), bugun);
             return std::unique_ptr<QWidget>(std::move(f));
         }},
        {"YapilacakIslerListesiFormu", [] {
             auto f = std::make_unique<YapilacakIslerListesiFormu>();
             f->TumIsleriListeleDugmesi_Click();
             return std::unique_ptr<QWidget>(std::move(f));
         }},
        {"YaziciSecmeFormu", [] { return std::unique_ptr<QWidget>(std::make_unique<YaziciSecmeFormu>()); }},
        {"AramaIslemleriFormu", [this] { return std::unique_ptr<QWidget>(std::make_unique<AramaIslemleriFormu>(m_ana.get())); }},
        {"GirisSifresiBelirleDegistirFormu", [] { return std::unique_ptr<QWidget>(std::make_unique<GirisSifresiBelirleDegistirFormu>()); }},
        {"GirisSifresiSorFormu", [] { return std::unique_ptr<QWidget>(std::make_unique<GirisSifresiSorFormu>()); }},
        {"SureHesaplamaFormu", [] { return std::unique_ptr<QWidget>(std::make_unique<SureHesaplamaFormu>()); }},
        {"TakvimFormu", [] { return std::unique_ptr<QWidget>(std::make_unique<TakvimFormu>()); }},
        {"TercihlerFormu", [] { return std::unique_ptr<QWidget>(std::make_unique<TercihlerFormu>()); }},
        {"HakkindaFormu", [] { return std::unique_ptr<QWidget>(std::make_unique<HakkindaFormu>()); }},
        {"HataBildirmeFormu", [] { return std::unique_ptr<QWidget>(std::make_unique<HataBildirmeFormu>()); }},
    };
    QStringList hepsi;
    for (const auto &[ad, yap] : pencereler) {
        std::unique_ptr<QWidget> tutulan = yap();
        QWidget *p = tutulan ? tutulan.get() : m_ana.get();
        if (p == m_ana.get())
            m_ana->KlasorListesi_NodeClick(Test::denetim<KlasorAgaci>(m_ana.get(), "KlasorListesi")->dugum(QStringLiteral("1-Anahtar")));
        p->show();
        QVERIFY(QTest::qWaitForWindowExposed(p));
        QApplication::processEvents();
        for (const QString &k : kirpilanlar(p))
            hepsi << QStringLiteral("%1: %2").arg(QString::fromLatin1(ad), k);
        p->hide();
    }
    m_ana.reset();
    if (!hepsi.isEmpty())
        QFAIL(qPrintable(QStringLiteral("clipped at %1 %2:\n  ").arg(aile).arg(punto) + hepsi.join(QStringLiteral("\n  "))));
}

QTEST_MAIN(YerlesimTesti)
#include "tst_Yerlesim.moc"
