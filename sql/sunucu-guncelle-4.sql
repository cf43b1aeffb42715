-- Makes an office server set up by an older version of sql/sunucu.sql tell the desks
-- which rows changed, not only which table (run once by the schema's owner, while the
-- desks may keep running; running it again changes nothing):
--
--   psql -d zelvora -v ON_ERROR_STOP=1 -f sql/sunucu-guncelle-4.sql
--
-- Until then every desk reads its whole list again after another desk's change. Apply
-- it after sql/sunucu-guncelle-2.sql where both are due (that file sets the advance
-- warnings' trigger of this one when it finds it).

BEGIN;

-- What changed, told to the other desks -------------------------------------------
-- Each statement that changed rows tells the desks listening on "zelvora" the table,
-- the operation and the keys of the rows: job numbers, folder keys, and for the advance
-- warnings the job's number; for example "YapilacakIslerTablosu INSERT 17,18". A desk
-- then reads only those rows. A statement that touched more rows than one notification
-- holds (at most 8000 bytes) sends "*" in place of the keys, and the desks read their
-- lists again. One notification per statement, made from its transition tables (which
-- need one trigger per operation); a statement that touched no row sends none. A desk
-- recognises its own changes by the notifying backend.
CREATE OR REPLACE FUNCTION "ZelvoraSatirBildir"() RETURNS trigger LANGUAGE plpgsql AS $$
DECLARE
    sutun text := CASE WHEN TG_TABLE_NAME = 'KlasorBilgileriTablosu' THEN 'Anahtari' ELSE 'IsNo' END;
    kaynak text := CASE TG_OP WHEN 'INSERT' THEN 'yeni' WHEN 'DELETE' THEN 'eski'
                   ELSE '(SELECT * FROM eski UNION ALL SELECT * FROM yeni)' END;
    sayi integer;
    anahtarlar text;
BEGIN
    EXECUTE format('SELECT count(*), string_agg(k, '','') FROM (SELECT DISTINCT t.%I::text AS k FROM %s t LIMIT 1001) s',
                   sutun, kaynak)
        INTO sayi, anahtarlar;
    IF sayi = 0 THEN
        RETURN NULL;
    END IF;
    IF sayi > 1000 OR length(anahtarlar) > 7800 THEN
        anahtarlar := '*';
    END IF;
    PERFORM pg_notify('zelvora', TG_TABLE_NAME || ' ' || TG_OP || ' ' || anahtarlar);
    RETURN NULL;
END;
$$;

-- Sets the three triggers of one table (the older single trigger goes).
CREATE OR REPLACE FUNCTION pg_temp."BildirimKur"(tablo text, eski text, ad text) RETURNS void LANGUAGE plpgsql AS $$
BEGIN
    IF to_regclass(format('%I', tablo)) IS NULL THEN
        RETURN;
    END IF;
    EXECUTE format('DROP TRIGGER IF EXISTS %I ON %I', eski, tablo);
    EXECUTE format('DROP TRIGGER IF EXISTS %I ON %I', ad || 'Eklendi', tablo);
    EXECUTE format('DROP TRIGGER IF EXISTS %I ON %I', ad || 'Guncellendi', tablo);
    EXECUTE format('DROP TRIGGER IF EXISTS %I ON %I', ad || 'Silindi', tablo);
    EXECUTE format('CREATE TRIGGER %I AFTER INSERT ON %I REFERENCING NEW TABLE AS yeni '
                   'FOR EACH STATEMENT EXECUTE FUNCTION "ZelvoraSatirBildir"()', ad || 'Eklendi', tablo);
    EXECUTE format('CREATE TRIGGER %I AFTER UPDATE ON %I REFERENCING OLD TABLE AS eski NEW TABLE AS yeni '
                   'FOR EACH STATEMENT EXECUTE FUNCTION "ZelvoraSatirBildir"()', ad || 'Guncellendi', tablo);
    EXECUTE format('CREATE TRIGGER %I AFTER DELETE ON %I REFERENCING OLD TABLE AS eski '
                   'FOR EACH STATEMENT EXECUTE FUNCTION "ZelvoraSatirBildir"()', ad || 'Silindi', tablo);
END;
$$;
SET LOCAL client_min_messages = warning;
DO $$
BEGIN
    PERFORM pg_temp."BildirimKur"('KlasorBilgileriTablosu', 'KlasorDegisti', 'Klasor');
    PERFORM pg_temp."BildirimKur"('YapilacakIslerTablosu', 'IsDegisti', 'Is');
    PERFORM pg_temp."BildirimKur"('OnHatirlatmaTablosu', 'OnHatirlatmaDegisti', 'OnHatirlatma');
END;
$$;

COMMIT;
