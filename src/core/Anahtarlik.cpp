#include "core/Anahtarlik.h"

#include <QByteArray>

// GLib's "signals" macro would clash with Qt's keyword.
#undef signals
#include <libsecret/secret.h>

namespace Zelvora::Anahtarlik {
namespace {

const SecretSchema *sema()
{
    static const SecretSchema s = {
        "tr.tavrek.Zelvora.Takvim",
        SECRET_SCHEMA_NONE,
        {
            {"adres", SECRET_SCHEMA_ATTRIBUTE_STRING},
            {"kullanici", SECRET_SCHEMA_ATTRIBUTE_STRING},
            {nullptr, SECRET_SCHEMA_ATTRIBUTE_STRING},
        },
        0, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
    };
    return &s;
}

QString hataMetni(GError *hata)
{
    QString neden = hata && hata->message ? QString::fromUtf8(hata->message) : QStringLiteral("Anahtarlık yanıt vermedi.");
    if (hata)
        g_error_free(hata);
    return neden;
}

} // namespace

Sonuc parolaOku(const QString &adres, const QString &kullanici)
{
    const QByteArray a = adres.toUtf8(), k = kullanici.toUtf8();
    GError *hata = nullptr;
    gchar *p = secret_password_lookup_sync(sema(), nullptr, &hata, "adres", a.constData(), "kullanici", k.constData(),
                                           nullptr);
    Sonuc s;
    if (hata) {
        s.neden = hataMetni(hata);
        return s;
    }
    s.tamam = true;
    if (p) {
        s.parola = QString::fromUtf8(p);
        secret_password_free(p);
    }
    return s;
}

Sonuc parolaYaz(const QString &adres, const QString &kullanici, const QString &parola)
{
    const QByteArray a = adres.toUtf8(), k = kullanici.toUtf8(), p = parola.toUtf8();
    const QByteArray etiket = "Zelvora takvimi: " + k + " @ " + a;
    GError *hata = nullptr;
    const gboolean oldu = secret_password_store_sync(sema(), SECRET_COLLECTION_DEFAULT, etiket.constData(), p.constData(),
                                                     nullptr, &hata, "adres", a.constData(), "kullanici", k.constData(),
                                                     nullptr);
    Sonuc s;
    if (!oldu || hata) {
        s.neden = hataMetni(hata);
        return s;
    }
    s.tamam = true;
    return s;
}

Sonuc parolaSil(const QString &adres, const QString &kullanici)
{
    const QByteArray a = adres.toUtf8(), k = kullanici.toUtf8();
    GError *hata = nullptr;
    secret_password_clear_sync(sema(), nullptr, &hata, "adres", a.constData(), "kullanici", k.constData(), nullptr);
    Sonuc s;
    if (hata) {
        s.neden = hataMetni(hata);
        return s;
    }
    s.tamam = true;
    return s;
}

} // namespace Zelvora::Anahtarlik
