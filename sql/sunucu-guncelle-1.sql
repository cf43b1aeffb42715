-- Brings the tables of a server set up by an older version of Zelvora up to those of
-- sql/sunucu.sql: the folder numbers drawn from the server and the job tokens. Applied
-- once by the administrator, while the desks may keep running (a desk of the new
-- version refuses the server until this has been applied):
--
--   psql -d zelvora -v ON_ERROR_STOP=1 -f sql/sunucu-guncelle-1.sql
--
-- Nothing stored is changed. Applying it twice does no harm.

BEGIN;

CREATE SEQUENCE IF NOT EXISTS "KlasorNumarasi" AS integer MINVALUE 1 START 1;
GRANT USAGE ON SEQUENCE "KlasorNumarasi" TO PUBLIC;
-- The numbers go on above every number in use: the folders' keys, the parents they
-- name (a folder deleted under its sub-folders), and the folders the jobs name, so a
-- new folder never takes the key of one that rows still point at.
SELECT setval('"KlasorNumarasi"', greatest(coalesce(max(n), 0), (SELECT last_value FROM "KlasorNumarasi"), 1),
              max(n) IS NOT NULL OR (SELECT is_called FROM "KlasorNumarasi"))
  FROM (SELECT substring("Anahtari" from '^[0-9]{1,9}')::integer AS n FROM "KlasorBilgileriTablosu"
        UNION ALL SELECT substring("Bagi" from '^[0-9]{1,9}')::integer FROM "KlasorBilgileriTablosu"
        UNION ALL SELECT substring("Anahtari" from '^[0-9]{1,9}')::integer FROM "YapilacakIslerTablosu") AS sayilar;

ALTER TABLE "YapilacakIslerTablosu" ADD COLUMN IF NOT EXISTS "KayitBelirteci" uuid UNIQUE;

COMMIT;
