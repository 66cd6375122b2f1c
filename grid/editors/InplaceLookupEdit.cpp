#include "grid/editors/InplaceLookupEdit.h"

#include "runtime/Application.h"
#include "runtime/db/DataSet.h"
#include "runtime/db/Field.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <numeric>

TqvInplaceLookupEdit::TqvInplaceLookupEdit(TCustomqvContainer* container) : TqvInplaceDropDownEdit(container)
{
    SetImmediateDropDown(false);
}

std::vector<TqvLookupItem> TqvInplaceLookupEdit::Snapshot(TDataSet& ds, std::string_view keyField, std::string_view listField)
{
    std::vector<TqvLookupItem> items;
    TField* key = ds.FindField(keyField);
    TField* text = ds.FindField(listField);
    if (!key || !text || !ds.Active()) return items;
    int count = ds.RecordCount();
    int saved = ds.ReadPosition();
    // Read in place: the dataset's position, events and links stay as they are.
    for (int i = 0; i < count; ++i) {
        ds.SetReadPosition(i);
        items.push_back({key->Value(), text->AsString()});
    }
    ds.SetReadPosition(saved);
    return items;
}

void TqvInplaceLookupEdit::SetListItems(std::vector<TqvLookupItem> items)
{
    items_ = std::move(items);
    upper_.clear();
    for (const TqvLookupItem& item : items_) upper_.push_back(UpperCase(item.Text));
    byText_.resize(items_.size());
    std::iota(byText_.begin(), byText_.end(), 0u);
    std::stable_sort(byText_.begin(), byText_.end(), [&](uint32_t a, uint32_t b) { return upper_[a] < upper_[b]; });
    if (list_) list_->clear();
}

int TqvInplaceLookupEdit::find(const AnsiString& prefix) const
{
    AnsiString p = UpperCase(prefix);
    auto first = std::lower_bound(byText_.begin(), byText_.end(), p,
                                  [&](uint32_t i, const AnsiString& v) { return upper_[i] < v; });
    int best = -1;
    for (auto it = first; it != byText_.end() && upper_[*it].compare(0, p.size(), p) == 0; ++it)
        if (best < 0 || static_cast<int>(*it) < best) best = static_cast<int>(*it);
    return best;
}

void TqvInplaceLookupEdit::LoadValue(const Variant& value)
{
    search_.clear();
    if (items_.empty()) {
        TqvInplaceDropDownEdit::LoadValue(value);
        return;
    }
    key_ = value.IsEmptyOrNull() ? Variant::Null() : value;
    AnsiString text;
    for (const TqvLookupItem& item : items_)
        if (!key_.IsNull() && Compare(item.Key, key_) == 0) {
            text = item.Text;
            break;
        }
    SetText(text);
}

Variant TqvInplaceLookupEdit::EditingValue() const
{
    return items_.empty() ? TqvInplaceDropDownEdit::EditingValue() : key_;
}

void TqvInplaceLookupEdit::choose(int index, size_t typed)
{
    const TqvLookupItem& item = items_[static_cast<size_t>(index)];
    key_ = item.Key;
    SetText(item.Text);
    // The part not typed is selected, so that typing goes on replacing it.
    int typedChars = AnsiToQString(std::string_view(item.Text).substr(0, std::min(typed, item.Text.size()))).size();
    SetSelection(typedChars, AnsiToQString(item.Text).size() - typedChars);
    TextChangedByUser();
    if (DroppedDown() && list_) list_->setCurrentRow(index);
}

void TqvInplaceLookupEdit::clearValue()
{
    key_ = Variant::Null();
    search_.clear();
    SetText({});
    TextChangedByUser();
}

void TqvInplaceLookupEdit::KeyPress(char32_t& character)
{
    if (items_.empty() || character < 32) {
        TqvInplaceDropDownEdit::KeyPress(character);
        return;
    }
    AnsiString typed = search_ + QStringToAnsi(QString::fromUcs4(&character, 1));
    character = 0;
    int found = find(typed);
    if (found < 0) {
        EditorBeep();  // a character that matches nothing is not kept
        return;
    }
    search_ = typed;
    if (ImmediateDropDown() && !DroppedDown()) DropDown();
    choose(found, search_.size());
}

void TqvInplaceLookupEdit::KeyDown(Word& key, TShiftState shift)
{
    if (items_.empty()) {
        TqvInplaceDropDownEdit::KeyDown(key, shift);
        return;
    }
    bool allSelected = SelLength() > 0 && SelLength() == AnsiToQString(Text()).size();
    if (clearKey_ && key == clearKey_) {
        if (CanModify()) clearValue();
        key = 0;
    } else if ((key == VK_BACK || key == VK_DELETE) && allSelected && canDeleteText_) {
        if (CanModify()) clearValue();
        key = 0;
    } else if (key == VK_BACK) {
        if (!search_.empty()) {
            // Shorten by one character (two bytes for a double-byte one).
            size_t cut = search_.size() - 1;
            if (cut > 0 && static_cast<unsigned char>(search_[cut - 1]) >= 0x81 && cut >= 1) {
                QString q = AnsiToQString(search_);
                q.chop(1);
                search_ = QStringToAnsi(q);
            } else {
                search_.resize(cut);
            }
            int found = search_.empty() ? -1 : find(search_);
            if (found >= 0) choose(found, search_.size());
            else SetSelection(0, AnsiToQString(Text()).size());
        }
        key = 0;
    } else if (key == VK_DELETE) {
        key = 0;  // the text is the chosen entry's: it is not edited by hand
    } else {
        TqvInplaceDropDownEdit::KeyDown(key, shift);
    }
}

void TqvInplaceLookupEdit::FillPopup(QFrame* popup)
{
    list_ = new QListWidget(popup);
    static_cast<QVBoxLayout*>(popup->layout())->addWidget(list_);
    QObject::connect(list_, &QListWidget::itemClicked, popup, [this](QListWidgetItem*) {
        Guard([&] { CloseUp(true); });
    });
}

void TqvInplaceLookupEdit::PopupOpening()
{
    if (list_->count() != static_cast<int>(items_.size())) {
        list_->clear();
        for (const TqvLookupItem& item : items_) list_->addItem(AnsiToQString(item.Text));
    }
    int row = -1;
    for (size_t i = 0; i < items_.size() && row < 0; ++i)
        if (!key_.IsNull() && Compare(items_[i].Key, key_) == 0) row = static_cast<int>(i);
    list_->setCurrentRow(row);
    int rowHeight = std::max(1, list_->sizeHintForRow(0));
    list_->setFixedHeight(rowHeight * std::min<int>(DropDownRows(), std::max<size_t>(1, items_.size())) + 4);
    FitListWidth(list_, static_cast<int>(items_.size()));
}

void TqvInplaceLookupEdit::AcceptPopup()
{
    int row = list_ ? list_->currentRow() : -1;
    if (row < 0 || row >= static_cast<int>(items_.size()) || !CanModify()) return;
    search_.clear();
    choose(row, 0);
    SetSelection(0, AnsiToQString(Text()).size());
}

// While the list is open, typed characters and Backspace go on searching.
bool TqvInplaceLookupEdit::PopupKey(QKeyEvent* event)
{
    QString text = event->text();
    if (event->key() == Qt::Key_Backspace) {
        Word key = VK_BACK;
        KeyDown(key, 0);
        return true;
    }
    if (text.size() == 1 && text[0].unicode() >= 32 && !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
        char32_t c = text[0].unicode();
        if (CanModify()) KeyPress(c);
        return true;
    }
    return false;
}
