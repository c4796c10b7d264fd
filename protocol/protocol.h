#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringView>

#include <optional>

// What travels on the serial line between the program and the QOR-1000.

// A reply's kind, by its length with the carriage return and then by its characters.
enum class ReplyKind
{
    Acknowledge,
    OneLetterStatus,
    TwoLetterStatus,
    VersionReply,
    DataRecord,
    Other
};

// line is as SerialComm::PortReceiveCR delivers it, carriage return included.
ReplyKind ClassifyReply(const QByteArray& line);

// The status text a reply sets, or nothing when the status stays as it was.
std::optional<QString> ReplyStatusText(const QByteArray& line);

// A data record's counts in display units.
struct DecodedRecord
{
    double displacement;
    double force;
    QString displacementText; // picture "0.000"
    QString forceText;        // picture "0"
};

// The displacement and force counts of a data record "dddd,ffff", as received or as stored; the
// displacement field is read first, and a field that is not four digits throws a ConversionError.
struct RecordCounts
{
    int displacement;
    int force;
};
RecordCounts ReadRecordCounts(QStringView record);

// Decodes "dddd,ffff" (carriage return optional); the displacement field is converted first and a
// field that is not a number throws a ConversionError.
DecodedRecord DecodeDataRecord(const QByteArray& record, double displacementFactor,
                               double forceFactor);

// The nine characters "dddd,ffff" of a record, without the carriage return; each count is
// written as four digits and must lie within 0 to 9999.
QByteArray EncodeDataRecord(int displacementCount, int forceCount);

// Command texts.
namespace QorCommand {
inline const QByteArray Continuous = "C";
inline const QByteArray Home = "H";
inline const QByteArray Test = "T";
inline const QByteArray Stop = "S";
inline const QByteArray Version = "V";
inline const QByteArray IncrementalForce = "MI"; // followed by the force and a carriage return
inline const QByteArray Incremental = "I";
} // namespace QorCommand

// The line end of every reply and of the incremental force.
inline constexpr char CarriageReturn = '\r';

// The incremental force setting as its four separate writes: "MI", the force, CR, "I".
QList<QByteArray> IncrementalSettingWrites(int force);
