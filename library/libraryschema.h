#pragma once

#include "platform/errors.h"

#include <QSqlDatabase>

// The test library's tables, the same on SQLite and PostgreSQL:
//
//   library_schema  one row: the version of the tables below
//   tests           one row per save of a test file, never updated or deleted
//   current_tests   a view: the newest row of each (station, path), the file's current entry
//
// README describes the columns for people who query them from other tools.

// A library that cannot be opened, read or written; the message says which and why.
class LibraryError : public ProgramError
{
public:
    using ProgramError::ProgramError;
};

// The version this program writes.
int LibrarySchemaVersion();

// Creates the tables when they are missing and brings older ones up to this program's version,
// one step after another in one transaction, so that several stations opening one library at
// the same moment make it once. Throws LibraryError, also for a library of a newer version,
// which this program leaves alone.
void UpgradeLibrarySchema(QSqlDatabase& database);
