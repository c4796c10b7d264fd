#include "platform/radiogroup.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QRadioButton>

RadioGroup::RadioGroup(QWidget* form, const QString& caption, const QStringList& items, int columns)
    : QGroupBox(caption, form), items_(new QButtonGroup(this))
{
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(4, 0, 0, 0);
    grid->setVerticalSpacing(0);
    const qsizetype rows = (items.size() + columns - 1) / columns;
    for (qsizetype index = 0; index < items.size(); ++index) {
        auto* item = new QRadioButton(items.at(index), this);
        items_->addButton(item, int(index));
        grid->addWidget(item, int(index % rows), int(index / rows));
    }
}

int RadioGroup::ItemIndex() const
{
    return items_->checkedId();
}

void RadioGroup::SetItemIndex(int index)
{
    if (QAbstractButton* item = items_->button(index)) {
        item->setChecked(true);
        return;
    }
    // An exclusive group never lets its checked button go by itself.
    if (QAbstractButton* checked = items_->checkedButton()) {
        items_->setExclusive(false);
        checked->setChecked(false);
        items_->setExclusive(true);
    }
}

QRadioButton* RadioGroup::Item(int index) const
{
    return qobject_cast<QRadioButton*>(items_->button(index));
}
