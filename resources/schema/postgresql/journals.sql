-- The library's journal tables of an office on a PostgreSQL server, in a schema of their own:
-- one table per journal of the template library, created, renamed, copied and deleted by the
-- library with the program's own statements. A new schema holds no journal yet.
CREATE SCHEMA IF NOT EXISTS journals;
CREATE TABLE IF NOT EXISTS journals.dravo_schema (version INTEGER NOT NULL);
INSERT INTO journals.dravo_schema (version)
SELECT 1 WHERE NOT EXISTS (SELECT 1 FROM journals.dravo_schema);
