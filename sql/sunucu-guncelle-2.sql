-- Adds the advance warnings (a job that warns days before its date) to a server set up
-- by an older version of Zelvora, as sql/sunucu.sql has them. Applied once by the
-- administrator, while the desks may keep running:
--
--   psql -d zelvora -v ON_ERROR_STOP=1 -f sql/sunucu-guncelle-2.sql
--
-- Until it is applied the desks work without advance warnings (each says so once at
-- start); a desk started afterwards uses them. Nothing stored is changed. Applying it
-- twice does no harm.

BEGIN;

CREATE TABLE IF NOT EXISTS "OnHatirlatmaTablosu" (
    "IsNo"        integer NOT NULL REFERENCES "YapilacakIslerTablosu" ("IsNo") ON DELETE CASCADE,
    "GunOnce"     integer NOT NULL CHECK ("GunOnce" BETWEEN 1 AND 365),
    "ErtelemeAni" timestamp(0) without time zone,
    "Durduruldu"  boolean NOT NULL DEFAULT false,
    PRIMARY KEY ("IsNo", "GunOnce")
);

-- A server that tells the changed rows already (sql/sunucu-guncelle-4.sql applied first)
-- tells the warnings' rows too; an older one tells the table.
DO $$
BEGIN
    IF to_regprocedure('"ZelvoraSatirBildir"()') IS NOT NULL THEN
        DROP TRIGGER IF EXISTS "OnHatirlatmaEklendi" ON "OnHatirlatmaTablosu";
        DROP TRIGGER IF EXISTS "OnHatirlatmaGuncellendi" ON "OnHatirlatmaTablosu";
        DROP TRIGGER IF EXISTS "OnHatirlatmaSilindi" ON "OnHatirlatmaTablosu";
        CREATE TRIGGER "OnHatirlatmaEklendi" AFTER INSERT ON "OnHatirlatmaTablosu" REFERENCING NEW TABLE AS yeni
            FOR EACH STATEMENT EXECUTE FUNCTION "ZelvoraSatirBildir"();
        CREATE TRIGGER "OnHatirlatmaGuncellendi" AFTER UPDATE ON "OnHatirlatmaTablosu"
            REFERENCING OLD TABLE AS eski NEW TABLE AS yeni FOR EACH STATEMENT EXECUTE FUNCTION "ZelvoraSatirBildir"();
        CREATE TRIGGER "OnHatirlatmaSilindi" AFTER DELETE ON "OnHatirlatmaTablosu" REFERENCING OLD TABLE AS eski
            FOR EACH STATEMENT EXECUTE FUNCTION "ZelvoraSatirBildir"();
    ELSE
        DROP TRIGGER IF EXISTS "OnHatirlatmaDegisti" ON "OnHatirlatmaTablosu";
        CREATE TRIGGER "OnHatirlatmaDegisti" AFTER INSERT OR UPDATE OR DELETE ON "OnHatirlatmaTablosu"
            FOR EACH STATEMENT EXECUTE FUNCTION "ZelvoraBildir"();
    END IF;
END;
$$;

-- A server that keeps the change log already (sql/sunucu-guncelle-3.sql applied first)
-- logs the warnings too.
DO $$
BEGIN
    IF to_regprocedure('"ZelvoraGunlukle"()') IS NOT NULL THEN
        DROP TRIGGER IF EXISTS "OnHatirlatmaGunlugu" ON "OnHatirlatmaTablosu";
        CREATE TRIGGER "OnHatirlatmaGunlugu" AFTER INSERT OR UPDATE OR DELETE ON "OnHatirlatmaTablosu"
            FOR EACH ROW EXECUTE FUNCTION "ZelvoraGunlukle"();
    END IF;
END;
$$;

COMMIT;
