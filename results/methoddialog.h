#pragma once

#include "results/methodtexts.h"

#include <QDialog>
#include <QHash>

class QDialogButtonBox;
class QFileDialog;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

// Results > Method...: edits the current method, key by key with the units shown, opens and saves
// method files in methods/ of the start directory, and keeps the Operator and Lot. OK makes the
// method current, saving it first when it was changed (asking for a file when it has none; a
// method with nothing in it needs none); a value that is refused keeps the dialog open with the
// field named and nothing applied. Cancel, Escape and the close box change nothing.
class TMethodDialog : public QDialog
{
    Q_OBJECT
public:
    explicit TMethodDialog(QWidget* owner = nullptr);

    QLabel* FileLabel;
    QPushButton* NewButton;
    QPushButton* OpenButton;
    QPushButton* SaveAsButton;
    QLineEdit* NameEdit;
    QRadioButton* UnitsEnglishRadio;
    QRadioButton* UnitsMetricRadio;
    QLineEdit* OperatorEdit;
    QLineEdit* LotEdit;
    QDialogButtonBox* ButtonBox;
    // The field of every key ("Break/Drop"); a limit's key has two, its low and high side.
    QHash<QString, QLineEdit*> KeyEdits;
    QHash<QString, QLineEdit*> LimitHighEdits;

    void NewButtonClick();
    void OpenButtonClick();
    void SaveAsButtonClick();
    void accept() override; // OK

private:
    // A checkable group of a section's keys, each a field with its caption; the values are of the
    // dimension, or per cent without one.
    QGroupBox* AddSection(const QString& caption, const QString& section,
                          const QList<std::pair<QString, QString>>& keys,
                          std::optional<ResultDimension> dimension);
    QGroupBox* AddLimits();
    void ShowMethod(const TestMethod& method, const QString& path);
    void ShowUnits();
    MethodTexts FieldTexts() const;
    // The method in the fields; a value refused is shown with its field focused (nothing then).
    std::optional<TestMethod> FieldMethod();
    QString ChooseMethodFile(bool save);

    QList<std::pair<QGroupBox*, QStringList>> Sections; // each with its keys
    // The unit labels and the dimension of the values they follow.
    QList<std::pair<QLabel*, ResultDimension>> UnitLabels;
    QString MethodPath; // the file the method in the fields came from or went to; empty if none
    TestMethod InFile;  // the method as that file holds it
};
