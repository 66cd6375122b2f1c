#include "grid/db/CustomFilterDialog.h"

#include "grid/db/DBGridFilter.h"
#include "runtime/Application.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {
constexpr int kOperatorCount = static_cast<int>(std::size(FilterText::Operators));

bool takesValue(int op)
{
    return op >= 0 && op != static_cast<int>(TFieldFilterOp::Blank) && op != static_cast<int>(TFieldFilterOp::NonBlank);
}
}  // namespace

TqvCustomFilterDialog::TqvCustomFilterDialog(const AnsiString& columnCaption, const std::vector<AnsiString>& values,
                                             QWidget* parent)
    : QDialog(parent), column_(new QLabel(this)), op1_(new QComboBox(this)), value1_(new QComboBox(this)),
      and_(new QRadioButton(AnsiToQString(FilterText::And), this)),
      or_(new QRadioButton(AnsiToQString(FilterText::Or), this)), op2_(new QComboBox(this)),
      value2_(new QComboBox(this))
{
    setWindowTitle(AnsiToQString(FilterText::DialogCaption));
    setObjectName(QStringLiteral("CustomAutoFilter"));
    QStringList items;
    for (int i = 0; i < kOperatorCount; ++i) items << AnsiToQString(FilterText::Operators[i]);
    op1_->addItems(items);
    op2_->addItem(QString());
    op2_->addItems(items);
    QStringList texts;
    for (const AnsiString& v : values) texts << AnsiToQString(v);
    for (QComboBox* box : {value1_, value2_}) {
        box->setEditable(true);
        box->addItems(texts);
        box->setCurrentIndex(-1);
        box->setMinimumWidth(160);
        box->setInsertPolicy(QComboBox::NoInsert);
    }
    for (QComboBox* box : {op1_, op2_}) box->setMinimumWidth(180);
    QFont bold = column_->font();
    bold.setBold(true);
    column_->setFont(bold);
    column_->setText(AnsiToQString(columnCaption));
    and_->setChecked(true);

    auto* grid = new QGridLayout;
    grid->addWidget(column_, 0, 0, 1, 2);
    grid->addWidget(op1_, 1, 0);
    grid->addWidget(value1_, 1, 1);
    auto* join = new QHBoxLayout;
    join->addSpacing(24);
    join->addWidget(and_);
    join->addWidget(or_);
    join->addStretch();
    grid->addLayout(join, 2, 0, 1, 2);
    grid->addWidget(op2_, 3, 0);
    grid->addWidget(value2_, 3, 1);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    QObject::connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(AnsiToQString(FilterText::ShowRowsWhere), this));
    layout->addLayout(grid);
    layout->addWidget(buttons);
    QObject::connect(op1_, &QComboBox::currentIndexChanged, this, Guarded([this](int) { operatorsChanged(); }));
    QObject::connect(op2_, &QComboBox::currentIndexChanged, this, Guarded([this](int) { operatorsChanged(); }));
    operatorsChanged();
}

void TqvCustomFilterDialog::SetConditions(const Condition& first, const Condition& second, bool orJoined)
{
    op1_->setCurrentIndex(std::max(0, first.op));
    value1_->setEditText(AnsiToQString(first.text));
    op2_->setCurrentIndex(second.op + 1);
    value2_->setEditText(AnsiToQString(second.text));
    (orJoined ? or_ : and_)->setChecked(true);
    operatorsChanged();
}

TqvCustomFilterDialog::Condition TqvCustomFilterDialog::First() const
{
    int op = op1_->currentIndex();
    return {op, takesValue(op) ? QStringToAnsi(value1_->currentText()) : AnsiString()};
}

TqvCustomFilterDialog::Condition TqvCustomFilterDialog::Second() const
{
    int op = op2_->currentIndex() - 1;
    return {op, takesValue(op) ? QStringToAnsi(value2_->currentText()) : AnsiString()};
}

bool TqvCustomFilterDialog::OrJoined() const { return or_->isChecked(); }

void TqvCustomFilterDialog::operatorsChanged()
{
    value1_->setEnabled(takesValue(op1_->currentIndex()));
    value2_->setEnabled(takesValue(op2_->currentIndex() - 1));
    // The join means something only with a second condition.
    and_->setEnabled(op2_->currentIndex() > 0);
    or_->setEnabled(op2_->currentIndex() > 0);
}
