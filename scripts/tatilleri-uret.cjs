// Writes the holiday table of Türkiye for 2000-2060 to standard output, one day a line:
//   yyyy-MM-dd <tab> T|Y <tab> name
// T is a whole-day official holiday, Y a half day (from 13.00: the eves of the two
// religious feasts and of Republic Day). Called by tatilleri-uret.sh.
'use strict';

const [paket, surum] = process.argv.slice(2);
const Holidays = require(paket);
const tr = new Holidays('TR');

const ILK_YIL = 2000;
const SON_YIL = 2060;

// Days announced in Türkiye where the package's lunar calculation lands one day off:
// first day of the feast, by the package's first day.
const DUZELTMELER = {
  'Ramazan Bayramı': {
    '2007-10-13': '2007-10-12',
    '2008-10-01': '2008-09-30',
    '2010-09-10': '2010-09-09',
    '2016-07-06': '2016-07-05',
  },
  'Kurban Bayramı': {
    '2002-02-22': '2002-02-23',
    '2005-01-21': '2005-01-20',
    '2012-10-26': '2012-10-25',
    '2015-09-23': '2015-09-24',
    '2016-09-11': '2016-09-12',
  },
};
// Length in days of the two feasts.
const BAYRAM_GUNLERI = { 'Ramazan Bayramı': 3, 'Kurban Bayramı': 4 };
// National days that became official holidays later than 2000.
const ILK_YILLAR = { '05-01': 2009, '07-15': 2017 };

function iso(t) {
  return t.toISOString().slice(0, 10);
}
function gunEkle(metin, n) {
  const t = new Date(metin + 'T00:00:00Z');
  t.setUTCDate(t.getUTCDate() + n);
  return iso(t);
}

const satirlar = new Map(); // date -> [{tur, ad}]
function ekle(tarih, tur, ad) {
  const yil = Number(tarih.slice(0, 4));
  if (yil < ILK_YIL || yil > SON_YIL) return;
  if (!satirlar.has(tarih)) satirlar.set(tarih, []);
  const liste = satirlar.get(tarih);
  if (!liste.some((g) => g.ad === ad)) liste.push({ tur, ad });
}

// A year before and after, for the feasts that cross the new year.
for (let yil = ILK_YIL - 1; yil <= SON_YIL + 1; ++yil) {
  for (const g of tr.getHolidays(yil)) {
    if (g.type !== 'public') throw new Error('beklenmeyen tür: ' + g.type);
    const ilk = g.date.slice(0, 10);
    if (g.name in BAYRAM_GUNLERI) {
      const gercek = (DUZELTMELER[g.name] || {})[ilk] || ilk;
      for (let i = 0; i < BAYRAM_GUNLERI[g.name]; ++i) ekle(gunEkle(gercek, i), 'T', g.name);
      ekle(gunEkle(gercek, -1), 'Y', g.name + ' Arifesi');
      continue;
    }
    const ayGun = ilk.slice(5);
    if (Number(ilk.slice(0, 4)) < (ILK_YILLAR[ayGun] || 0)) continue;
    ekle(ilk, 'T', g.name);
    if (ayGun === '10-29') ekle(gunEkle(ilk, -1), 'Y', g.name + ' Arifesi');
  }
}

const cikti = [
  '# Official holidays of Türkiye, ' + ILK_YIL + '-' + SON_YIL + ': date, T (whole day) or Y (half day from 13.00), name.',
  '# Written by scripts/tatilleri-uret.sh from the npm package date-holidays ' + surum +
    ' (ISC licence; holiday data CC BY 3.0),',
  '# with the corrections listed in scripts/tatilleri-uret.cjs. Do not edit by hand.',
];
for (const tarih of [...satirlar.keys()].sort()) {
  const liste = satirlar.get(tarih);
  // A whole-day holiday outweighs the eve of another one on the same day.
  const tam = liste.filter((g) => g.tur === 'T');
  for (const g of tam.length ? tam : liste) cikti.push(tarih + '\t' + g.tur + '\t' + g.ad);
}
process.stdout.write(cikti.join('\n') + '\n');
