-- Adds the calendar tables (the database's identity, from which the UIDs of its jobs are
-- made, and the record of the items imported from other calendars) to a server set up
-- by an older version of sql/sunucu.sql. Applied once by the administrator, while the
-- desks may keep running:
--
--   psql -d zelvora -v ON_ERROR_STOP=1 -f sql/sunucu-guncelle-5.sql
--
-- Until then the desks write their calendar UIDs from the database's name alone and
-- cannot tell an item imported before from a new one. Applying it twice does no harm:
-- the identity drawn the first time stays.

BEGIN;

-- "VeritabaniKimligi" holds one value drawn when the tables are set up: with the
-- database's name it makes the UID of every job in a calendar, the same on every desk,
-- so that two desks publishing one folder write the same events.
-- "TakvimdanAlinanlar": each item brought in from another calendar's file (its UID and,
-- for a recurring item, the occurrence) and the job it became, so that a file imported
-- twice does not store its jobs twice.
CREATE TABLE IF NOT EXISTS "VeritabaniKimligi" (
    "Kimlik" text PRIMARY KEY
);
INSERT INTO "VeritabaniKimligi"("Kimlik")
    SELECT gen_random_uuid()::text WHERE NOT EXISTS (SELECT 1 FROM "VeritabaniKimligi");
CREATE TABLE IF NOT EXISTS "TakvimdanAlinanlar" (
    "Uid"      text NOT NULL,
    "Yineleme" text NOT NULL DEFAULT '',
    "IsNo"     integer NOT NULL,
    PRIMARY KEY ("Uid", "Yineleme")
);

COMMIT;
