#pragma once

#include "recovery/recoveryformat.h"

#include <QList>
#include <QString>

// The folder "recovery" of the start directory, where the tests that are not saved yet are kept
// (recovery/recoverywriter.h). Only one copy of the program runs per user (the instance lock,
// platform/instancelock.h), so one folder serves: no other process writes, moves or removes its
// files while the program runs.
QString RecoveryFolder();

// The tests the folder keeps, oldest first. A file that holds no readable line (its first record
// was cut) is moved to discarded/; one that cannot be read is left where it is. Both are logged.
QList<RecoveredTest> FindRecoveredTests();

// Moves the tests' files to recovery/discarded/: an operator's "discard" never deletes a test.
void DiscardRecoveredTests(const QList<RecoveredTest>& tests);

// Removes the file of a test that was saved as a test file or dropped by the operator, if there
// is one.
void ForgetRecoveredTest(const QString& path);

// One line in the recovery log, errors/recovery.errors.txt. A log that cannot be written is
// passed over: keeping tests on disk never stops the program.
void LogRecoveryFailure(const QString& message);
