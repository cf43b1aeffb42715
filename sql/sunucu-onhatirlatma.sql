-- Adds the advance warnings to an office server made with an earlier sql/sunucu.sql.
-- Applied once by the administrator, while the desks may keep running:
--
--   psql -d zelvora -v ON_ERROR_STOP=1 -f sql/sunucu-onhatirlatma.sql
--
-- Until it is applied the desks work without advance warnings (each says so once at
-- start); a desk started afterwards uses them.

BEGIN;

CREATE TABLE "OnHatirlatmaTablosu" (
    "IsNo"        integer NOT NULL REFERENCES "YapilacakIslerTablosu" ("IsNo") ON DELETE CASCADE,
    "GunOnce"     integer NOT NULL CHECK ("GunOnce" BETWEEN 1 AND 365),
    "ErtelemeAni" timestamp(0) without time zone,
    "Durduruldu"  boolean NOT NULL DEFAULT false,
    PRIMARY KEY ("IsNo", "GunOnce")
);

CREATE TRIGGER "OnHatirlatmaDegisti" AFTER INSERT OR UPDATE OR DELETE ON "OnHatirlatmaTablosu"
    FOR EACH STATEMENT EXECUTE FUNCTION "ZelvoraBildir"();

COMMIT;
