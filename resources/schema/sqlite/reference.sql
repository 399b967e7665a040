-- The reference database of a document: counterparties and their banks, the contract journal,
-- the subject sets and the property catalogue. Used for "fct.db" in the data folder and for
-- "tables.db" under the database root.
--
-- Every statement may run again on an existing database: it only adds what is missing and
-- never empties or changes a table that is there.
--
-- Name columns carry the collation RUSSIAN that the program registers on each connection, so
-- "ORDER BY Name" is Russian alphabetical order without regard to letter case, and comparisons
-- of names ignore case. A new row may leave its names unset (NULL); an empty name is refused.
-- Yes/no columns hold the texts 'true' and 'false'; dates are ISO texts 'yyyy-mm-dd'.

CREATE TABLE IF NOT EXISTS BANK (
    BankID   INTEGER PRIMARY KEY AUTOINCREMENT,
    NameB    TEXT COLLATE RUSSIAN CHECK (NameB IS NULL OR trim(NameB) <> ''),
    KS       TEXT,
    BIK      TEXT,
    AddressB TEXT
);
CREATE INDEX IF NOT EXISTS BANK_NameB ON BANK (NameB);

CREATE TABLE IF NOT EXISTS FACTORY (
    FactorysID     INTEGER PRIMARY KEY AUTOINCREMENT,
    Form           TEXT,
    Name           TEXT COLLATE RUSSIAN CHECK (Name IS NULL OR trim(Name) <> ''),
    City           TEXT,
    Address        TEXT,
    Family         TEXT,
    IO             TEXT,
    Dolgn          TEXT,
    INN            TEXT,
    OKPO           TEXT,
    OKONH          TEXT,
    RS             TEXT,
    Otgr           TEXT,
    Tel            TEXT,
    BankID         INTEGER NOT NULL DEFAULT -1,
    PersonFlag     TEXT NOT NULL DEFAULT 'false' CHECK (PersonFlag IN ('true', 'false')),
    TypePersonFlag TEXT NOT NULL DEFAULT 'false' CHECK (TypePersonFlag IN ('true', 'false'))
);
CREATE INDEX IF NOT EXISTS FACTORY_Name ON FACTORY (Name);
CREATE INDEX IF NOT EXISTS FACTORY_BankID ON FACTORY (BankID);

CREATE TABLE IF NOT EXISTS book (
    BookID     INTEGER PRIMARY KEY AUTOINCREMENT,
    Number     INTEGER NOT NULL DEFAULT 0,
    NumberS    VARCHAR(10) NOT NULL DEFAULT '',
    Date       DATE CHECK (Date IS NULL OR Date GLOB '[0-9][0-9][0-9][0-9]-[0-1][0-9]-[0-3][0-9]'),
    Name       TEXT COLLATE RUSSIAN,
    Kontragent TEXT COLLATE RUSSIAN,
    Status     TEXT,
    Predmet    TEXT COLLATE RUSSIAN,
    Price      INTEGER NOT NULL DEFAULT 0,
    Date_contr DATE CHECK (Date_contr IS NULL OR
                           Date_contr GLOB '[0-9][0-9][0-9][0-9]-[0-1][0-9]-[0-3][0-9]'),
    Form_rasch TEXT,
    Deb        INTEGER NOT NULL DEFAULT 0,
    Cred       INTEGER NOT NULL DEFAULT 0,
    Otv        TEXT COLLATE RUSSIAN,
    NF         TEXT COLLATE RUSSIAN,
    Body       TEXT,
    -- The template as it was registered (the ".adf" bytes) and its variable data as text lines
    -- "word<TAB>value"; a database made before these columns gets them added by the program.
    Template   BLOB,
    VarData    TEXT
);
CREATE INDEX IF NOT EXISTS book_Date ON book (Date, Number, NumberS);
-- The journal page lists a period in this order and reads every column but the page text and the
-- template: this index holds them all, so the listing reads it alone and not the rows, whose page
-- texts make them large.
CREATE INDEX IF NOT EXISTS book_List ON book (Date, Number, NumberS, Name, Kontragent, Status,
    Predmet, Price, Date_contr, Form_rasch, Deb, Cred, Otv, NF);
CREATE INDEX IF NOT EXISTS book_Number ON book (Number);
-- The journal page filters by these columns within a period.
CREATE INDEX IF NOT EXISTS book_Kontragent ON book (Kontragent, Date);
CREATE INDEX IF NOT EXISTS book_Name ON book (Name, Date);
CREATE INDEX IF NOT EXISTS book_Predmet ON book (Predmet, Date);
CREATE INDEX IF NOT EXISTS book_Otv ON book (Otv, Date);
CREATE INDEX IF NOT EXISTS book_NF ON book (NF, Date);

-- A subject set is the seven rows sharing one Category, in the order of MerchID.
CREATE TABLE IF NOT EXISTS merch (
    MerchID  INTEGER PRIMARY KEY AUTOINCREMENT,
    Category TEXT NOT NULL COLLATE RUSSIAN,
    Name     TEXT,
    Kolvo    INTEGER NOT NULL DEFAULT 0,
    Edizm    TEXT,
    Price    REAL NOT NULL DEFAULT 0,
    Summ     REAL NOT NULL DEFAULT 0,
    Currency TEXT,
    Definds  TEXT
);
CREATE INDEX IF NOT EXISTS merch_Category ON merch (Category);

CREATE TABLE IF NOT EXISTS LISTM (
    TovarID  INTEGER PRIMARY KEY AUTOINCREMENT,
    Name     TEXT COLLATE RUSSIAN CHECK (Name IS NULL OR trim(Name) <> ''),
    Edizm    TEXT,
    Price2   REAL NOT NULL DEFAULT 0,
    Currency TEXT,
    Definds  TEXT,
    Dop      TEXT
);
CREATE INDEX IF NOT EXISTS LISTM_Name ON LISTM (Name);

-- The set that stands for "no set"; it is never deleted.
INSERT INTO merch (Category, Name, Kolvo, Edizm, Price, Summ, Currency, Definds)
SELECT '<не определено>', '', 0, '', 0, 0, '', ''
  FROM (VALUES (1), (2), (3), (4), (5), (6), (7))
 WHERE NOT EXISTS (SELECT 1 FROM merch WHERE Category = '<не определено>');

PRAGMA user_version = 1;
