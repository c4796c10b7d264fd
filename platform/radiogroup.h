#pragma once

#include <QGroupBox>
#include <QStringList>

class QButtonGroup;
class QRadioButton;

// A captioned group of radio buttons, filled column by column, of which one or none is selected.
class RadioGroup : public QGroupBox
{
    Q_OBJECT
public:
    RadioGroup(QWidget* form, const QString& caption, const QStringList& items, int columns = 1);

    // The selected item's index, or -1 when none is selected.
    int ItemIndex() const;
    // Selects the item; an index outside the items leaves none selected.
    void SetItemIndex(int index);
    QRadioButton* Item(int index) const;

private:
    QButtonGroup* items_;
};
