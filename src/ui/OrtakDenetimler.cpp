#include "ui/OrtakDenetimler.h"

#include "core/Ayarlar.h"
#include "core/OrtakYordamlar.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QGuiApplication>
#include <QScreen>

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
        p.setColor(QPalette::WindowText, KoyuKirmizi);
        m_etiket->setPalette(p);
    } else if (olay->type() == QEvent::FocusOut) {
        m_etiket->setPalette(QPalette());
    }
    return false;
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
