-- The journals database "reg.db": one table per journal of the template library, created,
-- renamed, copied and deleted by the library with the program's own statements. A new file
-- holds no table yet; marking its version makes the engine write the file.
PRAGMA user_version = 1;
