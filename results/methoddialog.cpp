#include "results/methoddialog.h"

#include "graph/filecommands.h"
#include "platform/errorreport.h"
#include "platform/hint.h"
#include "platform/messagebox.h"
#include "program/settings.h"
#include "results/currentmethod.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

template <class Component> Component* Named(Component* component, const QString& name)
{
    component->setObjectName(name);
    return component;
}

QLineEdit* AddEdit(QWidget* owner, const QString& name)
{
    auto* edit = Named(new QLineEdit(owner), name);
    edit->setMaximumWidth(90);
    return edit;
}

} // namespace

TMethodDialog::TMethodDialog(QWidget* owner) : QDialog(owner)
{
    setObjectName(QStringLiteral("MethodDialog"));
    setWindowTitle(QStringLiteral("Test Method"));

    FileLabel = Named(new QLabel(this), QStringLiteral("FileLabel"));
    FileLabel->setWordWrap(true);
    NewButton = Named(new QPushButton(QStringLiteral("&New"), this), QStringLiteral("NewButton"));
    SetHint(NewButton, QStringLiteral("New Method|Start a method with nothing in it"));
    OpenButton =
        Named(new QPushButton(QStringLiteral("&Open..."), this), QStringLiteral("OpenButton"));
    SetHint(OpenButton, QStringLiteral("Open Method|Open a method file from the methods folder"));
    SaveAsButton =
        Named(new QPushButton(QStringLiteral("Save &As..."), this), QStringLiteral("SaveAsButton"));
    SetHint(SaveAsButton, QStringLiteral("Save Method As|Save the method in a file of its own"));
    for (QPushButton* button : {NewButton, OpenButton, SaveAsButton})
        button->setAutoDefault(false);
    connect(NewButton, &QPushButton::clicked, this, &TMethodDialog::NewButtonClick);
    connect(OpenButton, &QPushButton::clicked, this, &TMethodDialog::OpenButtonClick);
    connect(SaveAsButton, &QPushButton::clicked, this, &TMethodDialog::SaveAsButtonClick);

    NameEdit = Named(new QLineEdit(this), QStringLiteral("NameEdit"));
    UnitsEnglishRadio = Named(new QRadioButton(QStringLiteral("&English (lbs., in.)"), this),
                              QStringLiteral("UnitsEnglishRadio"));
    UnitsMetricRadio = Named(new QRadioButton(QStringLiteral("Me&tric (kg, cm)"), this),
                             QStringLiteral("UnitsMetricRadio"));
    SetHint(UnitsEnglishRadio, QStringLiteral("English|Every value of the method in inches and "
                                              "pounds"));
    SetHint(UnitsMetricRadio, QStringLiteral("Metric|Every value of the method in centimetres "
                                             "and kilograms"));
    connect(UnitsEnglishRadio, &QRadioButton::toggled, this, &TMethodDialog::ShowUnits);
    OperatorEdit = Named(new QLineEdit(this), QStringLiteral("OperatorEdit"));
    LotEdit = Named(new QLineEdit(this), QStringLiteral("LotEdit"));

    auto* files = new QHBoxLayout;
    files->addWidget(FileLabel, 1);
    files->addWidget(NewButton);
    files->addWidget(OpenButton);
    files->addWidget(SaveAsButton);
    auto* units = new QHBoxLayout;
    units->addWidget(UnitsEnglishRadio);
    units->addWidget(UnitsMetricRadio);
    units->addStretch(1);
    auto* head = new QFormLayout;
    head->addRow(QStringLiteral("Na&me:"), NameEdit);
    head->addRow(QStringLiteral("Units:"), units);

    auto* sections = new QVBoxLayout;
    sections->addWidget(AddSection(QStringLiteral("&Break"), QStringLiteral("Break"),
                                   {{QStringLiteral("Drop"), QStringLiteral("Drop")}},
                                   std::nullopt));
    sections->addWidget(AddSection(
        QStringLiteral("&Force at Displacement"), QStringLiteral("ForceAt"),
        {{QStringLiteral("Displacement"), QStringLiteral("At")}}, ResultDimension::Displacement));
    sections->addWidget(
        AddSection(QStringLiteral("&Displacement at Force"), QStringLiteral("DisplacementAt"),
                   {{QStringLiteral("Force"), QStringLiteral("At")}}, ResultDimension::Force));
    sections->addWidget(AddSection(QStringLiteral("&Stiffness"), QStringLiteral("Stiffness"),
                                   {{QStringLiteral("FromForce"), QStringLiteral("From")},
                                    {QStringLiteral("ToForce"), QStringLiteral("To")}},
                                   ResultDimension::Force));
    sections->addWidget(AddSection(QStringLiteral("A&verage Force"), QStringLiteral("Average"),
                                   {{QStringLiteral("FromDisplacement"), QStringLiteral("From")},
                                    {QStringLiteral("ToDisplacement"), QStringLiteral("To")}},
                                   ResultDimension::Displacement));
    sections->addStretch(1);
    auto* body = new QHBoxLayout;
    body->addLayout(sections);
    body->addWidget(AddLimits());

    auto* keeper = new QFormLayout;
    keeper->addRow(QStringLiteral("O&perator:"), OperatorEdit);
    keeper->addRow(QStringLiteral("&Lot:"), LotEdit);

    ButtonBox = Named(new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this),
                      QStringLiteral("ButtonBox"));
    connect(ButtonBox, &QDialogButtonBox::accepted, this, &TMethodDialog::accept);
    connect(ButtonBox, &QDialogButtonBox::rejected, this, &TMethodDialog::reject);

    auto* column = new QVBoxLayout(this);
    column->addLayout(files);
    column->addLayout(head);
    column->addLayout(body);
    column->addLayout(keeper);
    column->addWidget(ButtonBox);

    try {
        ShowMethod(LoadCurrentMethod(), CurrentMethodPath());
    } catch (const ProgramError& error) {
        ShowMethod(TestMethod(), QString());
        FileLabel->setText(
            QStringLiteral("The current method cannot be used: %1").arg(error.Message()));
    }
    OperatorEdit->setText(CurrentOperator());
    LotEdit->setText(CurrentLot());
}

QGroupBox* TMethodDialog::AddSection(const QString& caption, const QString& section,
                                     const QList<std::pair<QString, QString>>& keys,
                                     std::optional<ResultDimension> dimension)
{
    auto* group = Named(new QGroupBox(caption, this), section + QStringLiteral("Group"));
    group->setCheckable(true);
    auto* row = new QHBoxLayout(group);
    QStringList sectionKeys;
    for (const auto& [key, fieldCaption] : keys) {
        const QString fullKey = section + u'/' + key;
        QLineEdit* edit = AddEdit(group, section + key + QStringLiteral("Edit"));
        KeyEdits.insert(fullKey, edit);
        sectionKeys.append(fullKey);
        row->addWidget(new QLabel(fieldCaption, group));
        row->addWidget(edit);
    }
    auto* unit =
        new QLabel(dimension ? QString() : QStringLiteral("% of the maximum force"), group);
    if (dimension)
        UnitLabels.append({unit, *dimension});
    row->addWidget(unit);
    row->addStretch(1);
    Sections.append({group, sectionKeys});
    return group;
}

QGroupBox* TMethodDialog::AddLimits()
{
    auto* group =
        Named(new QGroupBox(QStringLiteral("Limits"), this), QStringLiteral("LimitsGroup"));
    auto* grid = new QGridLayout(group);
    grid->addWidget(new QLabel(QStringLiteral("Low"), group), 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("High"), group), 0, 2);
    int row = 1;
    for (const ResultKind kind : AllResultKinds) {
        QLineEdit* low = AddEdit(group, ResultKey(kind) + QStringLiteral("LowEdit"));
        QLineEdit* high = AddEdit(group, ResultKey(kind) + QStringLiteral("HighEdit"));
        KeyEdits.insert(MethodKey::Limit(kind), low);
        LimitHighEdits.insert(MethodKey::Limit(kind), high);
        auto* unit = new QLabel(group);
        UnitLabels.append({unit, DimensionOf(kind)});
        grid->addWidget(new QLabel(ResultName(kind), group), row, 0);
        grid->addWidget(low, row, 1);
        grid->addWidget(high, row, 2);
        grid->addWidget(unit, row, 3);
        ++row;
    }
    grid->setRowStretch(row, 1);
    return group;
}

void TMethodDialog::ShowMethod(const TestMethod& method, const QString& path)
{
    MethodPath = path;
    InFile = method;
    FileLabel->setText(path.isEmpty() ? QStringLiteral("Not kept in a file yet.")
                                      : QStringLiteral("Method file: %1")
                                            .arg(QDir::toNativeSeparators(
                                                QDir(StartDirectory).relativeFilePath(path))));
    const MethodTexts texts = MethodToTexts(method);
    NameEdit->setText(method.name);
    (method.unitsEnglish ? UnitsEnglishRadio : UnitsMetricRadio)->setChecked(true);
    for (const auto& [group, keys] : Sections) {
        group->setChecked(
            std::ranges::any_of(keys, [&](const QString& key) { return texts.contains(key); }));
    }
    for (auto it = KeyEdits.cbegin(); it != KeyEdits.cend(); ++it) {
        const QString text = texts.value(it.key());
        const bool limit = LimitHighEdits.contains(it.key());
        it.value()->setText(limit ? text.section(u',', 0, 0) : text);
        if (limit)
            LimitHighEdits.value(it.key())->setText(text.section(u',', 1, 1));
    }
    ShowUnits();
}

void TMethodDialog::ShowUnits()
{
    for (const auto& [label, dimension] : UnitLabels)
        label->setText(DimensionUnit(dimension, UnitsEnglishRadio->isChecked()));
}

MethodTexts TMethodDialog::FieldTexts() const
{
    MethodTexts texts;
    texts.insert(MethodKey::Name, NameEdit->text());
    texts.insert(MethodKey::Units, UnitsText(UnitsEnglishRadio->isChecked()));
    for (const auto& [group, keys] : Sections) {
        if (!group->isChecked())
            continue;
        for (const QString& key : keys)
            texts.insert(key, KeyEdits.value(key)->text());
    }
    for (const ResultKind kind : AllResultKinds) {
        const QString key = MethodKey::Limit(kind);
        const QString low = KeyEdits.value(key)->text().trimmed();
        const QString high = LimitHighEdits.value(key)->text().trimmed();
        if (!low.isEmpty() || !high.isEmpty())
            texts.insert(key, low + u',' + high);
    }
    return texts;
}

std::optional<TestMethod> TMethodDialog::FieldMethod()
{
    try {
        return MethodFromTexts(FieldTexts());
    } catch (const MethodValueError& error) {
        SystemMessageBox(this, error.Message(), windowTitle());
        if (QLineEdit* field = KeyEdits.value(error.Key())) {
            field->setFocus();
            field->selectAll();
        }
        return std::nullopt;
    }
}

QString TMethodDialog::ChooseMethodFile(bool save)
{
    QFileDialog dialog(this,
                       save ? QStringLiteral("Save Method As") : QStringLiteral("Open Method"));
    dialog.setObjectName(QStringLiteral("MethodFileDialog"));
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setNameFilter(QStringLiteral("Method files (*.ini)"));
    dialog.setDefaultSuffix(QStringLiteral("ini"));
    QDir().mkpath(MethodsFolder());
    dialog.setDirectory(MethodsFolder());
    if (save && !NameEdit->text().trimmed().isEmpty())
        dialog.selectFile(NameEdit->text().trimmed() + QStringLiteral(".ini"));
    return ChooseFile(dialog);
}

void TMethodDialog::NewButtonClick()
{
    ShowMethod(TestMethod(), QString());
    NameEdit->setFocus();
}

void TMethodDialog::OpenButtonClick()
{
    const QString path = ChooseMethodFile(false);
    if (!path.isEmpty())
        ErrorReport::Guard(this, [&] { ShowMethod(LoadTestMethod(path), path); });
}

void TMethodDialog::SaveAsButtonClick()
{
    const std::optional<TestMethod> method = FieldMethod();
    if (!method)
        return;
    const QString path = ChooseMethodFile(true);
    if (path.isEmpty())
        return;
    ErrorReport::Guard(this, [&] {
        SaveTestMethod(*method, path);
        ShowMethod(*method, path);
    });
}

void TMethodDialog::accept()
{
    const std::optional<TestMethod> method = FieldMethod();
    if (!method)
        return;
    TestMethod nothing;
    nothing.unitsEnglish = method->unitsEnglish;
    QString path = MethodPath;
    if (path.isEmpty() && *method != nothing) {
        path = ChooseMethodFile(true);
        if (path.isEmpty())
            return;
    }
    bool applied = false;
    ErrorReport::Guard(this, [&] {
        if (!path.isEmpty() && (path != MethodPath || *method != InFile))
            SaveTestMethod(*method, path);
        SetCurrentMethod(path, OperatorEdit->text(), LotEdit->text());
        applied = true;
    });
    if (applied)
        QDialog::accept();
}
