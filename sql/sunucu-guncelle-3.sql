-- Adds the change log to an office server set up by an older version of sql/sunucu.sql
-- (run once by the schema's owner; running it again changes nothing):
--
--   psql -d zelvora -v ON_ERROR_STOP=1 -f sql/sunucu-guncelle-3.sql
--
-- Until then the desks work without the job editor's "Geçmiş...".

BEGIN;
SELECT to_regclass('"DegisiklikGunlugu"') IS NOT NULL AS var \gset
\if :var
\echo 'the change log is there already'
\else
-- Who changed what: a change log kept by the server ---------------------------------
-- (the same as sql/sunucu-guncelle-3.sql does to a server set up by an older version)
--
-- Every row added, changed or deleted in the folder, job and advance-warning tables is
-- written here by a trigger: the table, the row's key (the folder key, or the job
-- number), the operation, the row before and after, the database user, the desk's
-- address and the time. The trigger writes as the log's owner, so desks need only read
-- it; nobody, the owner included, may change or delete a line (the table refuses it).
CREATE TABLE "DegisiklikGunlugu" (
    "GunlukNo"  bigint GENERATED ALWAYS AS IDENTITY PRIMARY KEY,
    "Tablo"     text NOT NULL,
    "Anahtar"   text NOT NULL,
    "Islem"     text NOT NULL CHECK ("Islem" IN ('INSERT', 'UPDATE', 'DELETE')),
    "Eski"      jsonb,
    "Yeni"      jsonb,
    "Kullanici" text NOT NULL DEFAULT session_user,
    "Adres"     inet DEFAULT inet_client_addr(),
    "Zaman"     timestamptz NOT NULL DEFAULT now()
);
CREATE INDEX "GunlukAnahtarDizini" ON "DegisiklikGunlugu" ("Anahtar", "GunlukNo");
REVOKE ALL ON "DegisiklikGunlugu" FROM PUBLIC;
GRANT SELECT ON "DegisiklikGunlugu" TO PUBLIC;

CREATE FUNCTION "ZelvoraGunlukle"() RETURNS trigger
    LANGUAGE plpgsql SECURITY DEFINER SET search_path = pg_catalog, pg_temp
AS $$
DECLARE
    eski jsonb;
    yeni jsonb;
BEGIN
    IF TG_OP <> 'INSERT' THEN eski := to_jsonb(OLD); END IF;
    IF TG_OP <> 'DELETE' THEN yeni := to_jsonb(NEW); END IF;
    -- An update that changed nothing is no change.
    IF TG_OP = 'UPDATE' AND eski = yeni THEN RETURN NULL; END IF;
    INSERT INTO public."DegisiklikGunlugu"("Tablo", "Anahtar", "Islem", "Eski", "Yeni")
    VALUES (TG_TABLE_NAME,
            COALESCE(yeni, eski) ->> CASE WHEN TG_TABLE_NAME = 'KlasorBilgileriTablosu' THEN 'Anahtari' ELSE 'IsNo' END,
            TG_OP, eski, yeni);
    RETURN NULL;
END;
$$;
REVOKE ALL ON FUNCTION "ZelvoraGunlukle"() FROM PUBLIC;

CREATE FUNCTION "GunlukDegismez"() RETURNS trigger LANGUAGE plpgsql AS $$
BEGIN
    RAISE EXCEPTION 'the change log is not changed or deleted';
END;
$$;
CREATE TRIGGER "GunlukDegismez" BEFORE UPDATE OR DELETE OR TRUNCATE ON "DegisiklikGunlugu"
    FOR EACH STATEMENT EXECUTE FUNCTION "GunlukDegismez"();

CREATE TRIGGER "KlasorGunlugu" AFTER INSERT OR UPDATE OR DELETE ON "KlasorBilgileriTablosu"
    FOR EACH ROW EXECUTE FUNCTION "ZelvoraGunlukle"();
CREATE TRIGGER "IsGunlugu" AFTER INSERT OR UPDATE OR DELETE ON "YapilacakIslerTablosu"
    FOR EACH ROW EXECUTE FUNCTION "ZelvoraGunlukle"();
-- (the advance warnings' table only where sql/sunucu-guncelle-2.sql has made it; applied
-- later, that file adds this trigger itself)
DO $$
BEGIN
    IF to_regclass('"OnHatirlatmaTablosu"') IS NOT NULL THEN
        CREATE TRIGGER "OnHatirlatmaGunlugu" AFTER INSERT OR UPDATE OR DELETE ON "OnHatirlatmaTablosu"
            FOR EACH ROW EXECUTE FUNCTION "ZelvoraGunlukle"();
    END IF;
END;
$$;
\endif
COMMIT;
