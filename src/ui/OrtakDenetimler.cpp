#include "ui/OrtakDenetimler.h"

#include "core/Ayarlar.h"
#include "core/OrtakYordamlar.h"
#include "core/Renkler.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QGuiApplication>
#include <QScreen>

#include <algorithm>

namespace Zelvora {

QIcon Simge(const QString &ad)
{
    QIcon simge(SimgeResmi(ad));
    // An icon drawn separately at several sizes (the program's own) brings them all, so
    // the task bar and the window switcher show a sharp one, not a scaled one.
    const QDir boyutlar(QStringLiteral(":/simgeler/") + ad);
    for (const QString &dosya : boyutlar.entryList(QDir::Files))
        simge.addFile(boyutlar.filePath(dosya));
    return simge;
}

QPixmap SimgeResmi(const QString &ad)
{
    KaynaklariHazirla();
    return QPixmap(QStringLiteral(":/simgeler/") + ad + QStringLiteral(".png"));
}

QPixmap Resim(const QString &ad)
{
    KaynaklariHazirla();
    return QPixmap(QStringLiteral(":/resimler/") + ad + QStringLiteral(".png"));
}

void MetniSec(QLineEdit *kutu)
{
    if (kutu)
        kutu->setSelection(0, int(kutu->text().size()));
}

void MetniSec(QComboBox *kutu)
{
    if (kutu && kutu->lineEdit())
        MetniSec(kutu->lineEdit());
}

void EtiketVurgulayici::bagla(QLabel *etiket, QWidget *alan)
{
    auto *v = new EtiketVurgulayici(etiket, alan);
    alan->installEventFilter(v);
    if (auto *c = qobject_cast<QComboBox *>(alan); c && c->lineEdit())
        c->lineEdit()->installEventFilter(v);
}

bool EtiketVurgulayici::eventFilter(QObject *, QEvent *olay)
{
    if (!m_etiket)
        return false;
    if (olay->type() == QEvent::FocusIn) {
        QPalette p = m_etiket->palette();
        p.setColor(QPalette::WindowText, Renkler::okunur(KoyuKirmizi, p.color(m_etiket->backgroundRole())));
        m_etiket->setPalette(p);
    } else if (olay->type() == QEvent::FocusOut) {
        m_etiket->setPalette(QPalette());
    }
    return false;
}

// --- Windows grown to their contents ------------------------------------------------------

namespace {

// The size a control needs for its text at its font (0 where it has no text of its own, or
// a text that may scroll or be cut with an ellipsis).
QSize gereken(const QWidget *d)
{
    if (auto *l = qobject_cast<const QLabel *>(d)) {
        if (l->text().isEmpty() || !l->pixmap().isNull())
            return {};
        if (l->wordWrap())
            return {0, l->heightForWidth(l->width())};
        return l->sizeHint();
    }
    if (auto *b = qobject_cast<const QAbstractButton *>(d)) {
        if (b->text().isEmpty())
            return {};
        if (qobject_cast<const QPushButton *>(b)) {
            // The style's least button width is not the text's need.
            const QFontMetrics fm(b->font());
            const int kenar = 2 * (b->style()->pixelMetric(QStyle::PM_ButtonMargin, nullptr, b)
                                   + b->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, b));
            const int simge = b->icon().isNull() ? 0 : b->iconSize().width() + 4;
            return {fm.size(Qt::TextShowMnemonic, b->text()).width() + kenar + simge, fm.height() + 2};
        }
        return b->sizeHint();
    }
    if (auto *e = qobject_cast<const QLineEdit *>(d)) {
        // A date or a number the window fills in is read whole; typed text scrolls.
        if (e->text().isEmpty() || e->text().size() > 12)
            return {};
        const QFontMetrics fm(e->font());
        const int cerceve = e->hasFrame() ? 2 * e->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, e) : 0;
        const QMargins m = e->textMargins();
        return {fm.horizontalAdvance(e->text()) + cerceve + m.left() + m.right() + 6, fm.height() + cerceve};
    }
    return {};
}

// Lays the children of one container out again on one axis: each grows by what it lacks,
// and each moves on by the most that something wholly before it (left of it, above it) has
// moved and grown. Returns how much the container's contents reach further than before.
int eksendeSigdir(const QList<QWidget *> &cocuklar, const QList<int> &eksik, bool yatay, int kapBoyu)
{
    struct Oge { QWidget *w; int bas, son, eksik, kayma = 0; };
    QList<Oge> ogeler;
    for (qsizetype i = 0; i < cocuklar.size(); ++i) {
        const QRect r = cocuklar.at(i)->geometry();
        ogeler.append({cocuklar.at(i), yatay ? r.left() : r.top(), yatay ? r.right() + 1 : r.bottom() + 1, eksik.at(i)});
    }
    std::sort(ogeler.begin(), ogeler.end(), [](const Oge &a, const Oge &b) { return a.bas < b.bas; });
    int eskiSon = 0, yeniSon = 0;
    for (qsizetype i = 0; i < ogeler.size(); ++i) {
        Oge &o = ogeler[i];
        for (qsizetype j = 0; j < i; ++j)
            if (ogeler.at(j).son <= o.bas)
                o.kayma = std::max(o.kayma, ogeler.at(j).kayma + ogeler.at(j).eksik);
        eskiSon = std::max(eskiSon, o.son);
        yeniSon = std::max(yeniSon, o.son + o.kayma + o.eksik);
    }
    bool degisti = false;
    for (const Oge &o : ogeler) {
        if (o.kayma == 0 && o.eksik == 0)
            continue;
        degisti = true;
        QRect r = o.w->geometry();
        if (yatay)
            r.setRect(r.x() + o.kayma, r.y(), r.width() + o.eksik, r.height());
        else
            r.setRect(r.x(), r.y() + o.kayma, r.width(), r.height() + o.eksik);
        o.w->setGeometry(r);
    }
    // The container keeps the margin it had beyond its contents (at least Kenar), also
    // when its contents already overflow it (placed again after an earlier fitting).
    constexpr int Kenar = 4;
    return degisti ? std::max({0, yeniSon - eskiSon, yeniSon + Kenar - kapBoyu}) : 0;
}

// Fits the container's children (deepest first) and returns how much wider and taller the
// container must be.
QSize kabiSigdir(QWidget *kap)
{
    QList<QWidget *> cocuklar;
    for (QObject *o : kap->children()) {
        auto *w = qobject_cast<QWidget *>(o);
        // Hidden controls too: a panel shown later must stand where it fits.
        if (w && !w->isWindow())
            cocuklar.append(w);
    }
    if (kap->layout() || cocuklar.isEmpty())
        return {};
    QList<int> genislikEksigi, yukseklikEksigi;
    for (QWidget *c : cocuklar) {
        QSize eksik = kabiSigdir(c);
        const QSize g = gereken(c);
        eksik = eksik.expandedTo(QSize(g.width() - c->width(), 0)).expandedTo(QSize(0, g.height() - c->height()));
        genislikEksigi.append(std::max(0, eksik.width()));
        yukseklikEksigi.append(std::max(0, eksik.height()));
    }
    const int dx = eksendeSigdir(cocuklar, genislikEksigi, true, kap->width());
    // A wrapped label is measured again at its new width before the heights are fitted.
    for (qsizetype i = 0; i < cocuklar.size(); ++i)
        if (auto *l = qobject_cast<QLabel *>(cocuklar.at(i)); l && l->wordWrap() && !l->text().isEmpty())
            yukseklikEksigi[i] = std::max(0, l->heightForWidth(l->width()) - l->height());
    const int dy = eksendeSigdir(cocuklar, yukseklikEksigi, false, kap->height());
    return {dx, dy};
}

} // namespace

void IcerigeSigdir(QWidget *pencere)
{
    const QSize buyume = kabiSigdir(pencere);
    if (buyume.width() <= 0 && buyume.height() <= 0)
        return;
    const QSize yeni = pencere->size() + QSize(std::max(0, buyume.width()), std::max(0, buyume.height()));
    if (pencere->minimumSize() == pencere->maximumSize())
        pencere->setFixedSize(yeni);
    else {
        pencere->setMinimumSize(pencere->minimumSize().expandedTo(yeni));
        pencere->resize(yeni);
    }
}

void EnterSekme::kur(QWidget *alan)
{
    auto *e = new EnterSekme(alan);
    alan->installEventFilter(e);
    if (auto *c = qobject_cast<QComboBox *>(alan); c && c->lineEdit())
        c->lineEdit()->installEventFilter(e);
}

bool EnterSekme::eventFilter(QObject *nesne, QEvent *olay)
{
    if (olay->type() != QEvent::KeyPress)
        return false;
    auto *k = static_cast<QKeyEvent *>(olay);
    if ((k->key() != Qt::Key_Return && k->key() != Qt::Key_Enter) || k->modifiers() & ~Qt::KeypadModifier)
        return false;
    auto *w = qobject_cast<QWidget *>(nesne);
    if (!w)
        return false;
    // An open drop-down list takes Enter as its choice.
    if (auto *c = qobject_cast<QComboBox *>(w); c && c->view() && c->view()->isVisible())
        return false;
    QWidget *pencere = w->window();
    QWidget *sonraki = w;
    do {
        sonraki = sonraki->nextInFocusChain();
    } while (sonraki && sonraki != w
             && (!sonraki->isEnabled() || !sonraki->isVisible() || !(sonraki->focusPolicy() & Qt::TabFocus)
                 || sonraki->window() != pencere || sonraki->focusProxy()));
    if (sonraki && sonraki != w)
        sonraki->setFocus(Qt::TabFocusReason);
    return true;
}

namespace SutunDuzeni {

void yukle(QHeaderView *baslik, int listeNo, const QList<int> &tasarimGenislikleriTwip)
{
    const QString bolum = AyarAdi::Liste(listeNo);
    const int n = int(tasarimGenislikleriTwip.size());
    // No column wider than all the screens together.
    const QScreen *ekran = baslik->screen() ? baslik->screen() : QGuiApplication::primaryScreen();
    const int enGenis = qMax(1, ekran ? ekran->availableVirtualGeometry().width() : 4096);
    QList<QPair<int, int>> konumlar; // (position, logical index)
    for (int i = 0; i < n; ++i) {
        const int konum = Ayarlar::okuSayi(bolum, QStringLiteral("Konum-") + QString::number(i + 1), i + 1);
        konumlar.append({konum, i});
        double genislik = Ayarlar::okuOndalik(bolum, QStringLiteral("Genislik-") + QString::number(i + 1), -1);
        if (genislik < 0) {
            genislik = tasarimGenislikleriTwip.at(i);
            // The date column holds the row icon too: make room for a whole date in this font.
            if (i == 0 && genislik > 0)
                genislik = qMax(genislik, double(twip(baslik->fontMetrics().horizontalAdvance(QStringLiteral("00.00.0000"))
                                                      + 16 + 16)));
        }
        if (tasarimGenislikleriTwip.at(i) == 0) {
            baslik->hideSection(i); // the hidden job-number column
        } else {
            baslik->resizeSection(i, pikselArasi(genislik, 0, enGenis));
        }
    }
    std::stable_sort(konumlar.begin(), konumlar.end(),
                     [](const auto &a, const auto &b) { return a.first < b.first; });
    for (int hedef = 0; hedef < konumlar.size(); ++hedef)
        baslik->moveSection(baslik->visualIndex(konumlar.at(hedef).second), hedef);
}

void kaydet(QHeaderView *baslik, int listeNo)
{
    const QString bolum = AyarAdi::Liste(listeNo);
    for (int i = 0; i < baslik->count(); ++i) {
        Ayarlar::yaz(bolum, QStringLiteral("Konum-") + QString::number(i + 1),
                     QString::number(baslik->visualIndex(i) + 1));
        const int genislik = baslik->isSectionHidden(i) ? 0 : twip(baslik->sectionSize(i));
        Ayarlar::yaz(bolum, QStringLiteral("Genislik-") + QString::number(i + 1), QString::number(genislik));
    }
    Ayarlar::kendiKaydet();
}

} // namespace SutunDuzeni
void AdiEtikettenAl(QWidget *alan, const QLabel *etiket)
{
    QString ad = etiket->text();
    ad.replace(QStringLiteral("&&"), QStringLiteral("\x01"));
    ad.remove(QLatin1Char('&'));
    ad.replace(QLatin1Char('\x01'), QLatin1Char('&'));
    alan->setAccessibleName(ad.trimmed());
    // A combo box that can be typed in has a text field of its own, which a screen reader
    // reaches and reads apart from the box: it carries the caption too.
    if (auto *kutu = qobject_cast<QComboBox *>(alan); kutu && kutu->lineEdit())
        kutu->lineEdit()->setAccessibleName(ad.trimmed());
}

} // namespace Zelvora
