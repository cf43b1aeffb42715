#pragma once
// The system's printers through CUPS, and a document printed on one of them (or
// into a PDF file) with QPrinter and QPainter in millimetres.

#include "core/Arayuzler.h"

#include <QFont>
#include <QFontMetricsF>
#include <QHash>
#include <QPainter>

#include <memory>

class QPrinter;

namespace Zelvora {

class SistemYazicilari : public Yazicilar {
public:
    QList<YaziciKaydi> liste() const override;
    QString gecerliYazici() const override;
    void gecerliYaziciyiDegistir(const QString &ad) override;
    std::unique_ptr<SayfaYuzeyi> belgeBaslat(const QString &belgeAdi) override;

private:
    mutable QString m_gecerli;
    mutable bool m_gecerliBelli = false;
};

class YaziciSayfasi : public SayfaYuzeyi {
public:
    // A document on the named printer.
    static std::unique_ptr<YaziciSayfasi> yaziciya(const QString &yaziciAdi, const QString &belgeAdi);
    // A document written to an A4 PDF file.
    static std::unique_ptr<YaziciSayfasi> pdfDosyasina(const QString &dosya, const QString &belgeAdi);
    ~YaziciSayfasi() override;

    QPrinter &yazici() { return *m_yazici; }

protected:
    QSizeF alan() const override;
    double olc(const QString &metin, const YaziBicimi &b) const override;
    double satirYuksekligi(const YaziBicimi &b) const override;
    void ciz(const QString &metin, double sol, double ust, const YaziBicimi &b) override;
    void sayfaEkle() override;
    void belgeyiKapat() override;

private:
    explicit YaziciSayfasi(std::unique_ptr<QPrinter> yazici);
    void baslat();
    bool pdfMi() const;
    struct Yazi {
        QFont font;
        QFontMetricsF olcu;
    };
    const Yazi &yazi(const YaziBicimi &b) const;

    std::unique_ptr<QPrinter> m_yazici;
    QPainter m_ressam;
    QFont m_temel;
    double m_mmPiksel = 1;
    QSizeF m_alan;
    QString m_ad;
    mutable QHash<int, std::shared_ptr<Yazi>> m_yazilar;
};

} // namespace Zelvora
