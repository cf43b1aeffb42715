#include "core/DegisiklikGunlugu.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QStringList>

namespace Zelvora::DegisiklikGunlugu {

namespace {

QJsonObject nesne(const QString &json)
{
    return QJsonDocument::fromJson(json.toUtf8()).object();
}

QString deger(const QJsonValue &d)
{
    if (d.isNull() || d.isUndefined())
        return QStringLiteral("(boş)");
    if (d.isBool())
        return d.toBool() ? QStringLiteral("evet") : QStringLiteral("hayır");
    if (d.isDouble())
        return QString::number(qint64(d.toDouble()));
    return QLatin1Char('"') + d.toString() + QLatin1Char('"');
}

} // namespace

QString islemAdi(const QString &islem)
{
    if (islem == QLatin1String("INSERT"))
        return QStringLiteral("Ekleme");
    if (islem == QLatin1String("DELETE"))
        return QStringLiteral("Silme");
    return QStringLiteral("Değişiklik");
}

QString aciklama(const Veritabani::GecmisKaydi &k)
{
    const QJsonObject eski = nesne(k.eski), yeni = nesne(k.yeni);
    if (k.tablo == QLatin1String("OnHatirlatmaTablosu")) {
        const QJsonObject satir = yeni.isEmpty() ? eski : yeni;
        const QString gun = QString::number(satir.value(QLatin1String("GunOnce")).toInt());
        if (k.islem == QLatin1String("INSERT"))
            return QStringLiteral("Ön hatırlatma eklendi: %1 gün önce").arg(gun);
        if (k.islem == QLatin1String("DELETE"))
            return QStringLiteral("Ön hatırlatma kaldırıldı: %1 gün önce").arg(gun);
        if (yeni.value(QLatin1String("Durduruldu")).toBool() && !eski.value(QLatin1String("Durduruldu")).toBool())
            return QStringLiteral("Ön hatırlatma durduruldu: %1 gün önce").arg(gun);
        const QJsonValue erteleme = yeni.value(QLatin1String("ErtelemeAni"));
        if (!erteleme.isNull() && !erteleme.isUndefined())
            return QStringLiteral("Ön hatırlatma ertelendi: %1 gün önce, %2").arg(gun, erteleme.toString());
        return QStringLiteral("Ön hatırlatma yeniden başladı: %1 gün önce").arg(gun);
    }
    if (k.islem == QLatin1String("INSERT"))
        return QStringLiteral("İş eklendi: %1").arg(deger(yeni.value(QLatin1String("IsinKonusu"))));
    if (k.islem == QLatin1String("DELETE"))
        return QStringLiteral("İş silindi: %1").arg(deger(eski.value(QLatin1String("IsinKonusu"))));
    // The job's fields by the captions the editor gives them; the number and the save
    // token are no user's change.
    static const QList<QPair<const char *, const char *>> alanlar = {
        {"IsinTarihi", "Tarih"}, {"IsinSaati", "Saat"},     {"IsinKonusu", "Konu"},
        {"IsinYeri", "Yer"},     {"IsinSayisi", "Sayı"},    {"Aciklama", "Açıklama"},
        {"Hatirlatma", "Hatırlatma"}, {"IsYapildi", "Yapıldı"}, {"Anahtari", "Klasör"}};
    QStringList degisenler;
    for (const auto &[alan, baslik] : alanlar) {
        const QJsonValue e = eski.value(QLatin1String(alan)), y = yeni.value(QLatin1String(alan));
        if (e != y)
            degisenler << QStringLiteral("%1: %2 → %3").arg(QString::fromUtf8(baslik), deger(e), deger(y));
    }
    return degisenler.isEmpty() ? QStringLiteral("Değişiklik yok") : degisenler.join(QStringLiteral("; "));
}

} // namespace Zelvora::DegisiklikGunlugu
