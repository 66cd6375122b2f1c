#include "grid/editors/PopupCalculator.h"

#include "grid/editors/InplaceEdit.h"
#include "runtime/Application.h"
#include "runtime/SysUtils.h"

#include <QGridLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>

#include <cmath>
#include <cstdio>

// ---- The arithmetic

void TqvCalculator::SetValue(double value)
{
    int precision = precision_;
    *this = TqvCalculator{};
    precision_ = precision;
    entry_ = std::isfinite(value) ? value : 0;
}

bool TqvCalculator::apply()
{
    double result = entry_;
    switch (pending_) {
    case '+': result = accumulator_ + entry_; break;
    case '-': result = accumulator_ - entry_; break;
    case '*': result = accumulator_ * entry_; break;
    case '/':
        if (entry_ == 0) {
            error_ = true;
            return false;
        }
        result = accumulator_ / entry_;
        break;
    default: break;
    }
    if (!std::isfinite(result)) {
        error_ = true;
        return false;
    }
    accumulator_ = entry_ = result;
    return true;
}

bool TqvCalculator::Key(char key)
{
    if (key == 'C' || key == 'c') {
        int precision = precision_;
        *this = TqvCalculator{};
        precision_ = precision;
        return true;
    }
    if (error_) return false;
    if ((key >= '0' && key <= '9') || key == '.') {
        if (key == '.' && typed_.find('.') != AnsiString::npos) return false;
        int digits = 0;
        for (char c : typed_) digits += c >= '0' && c <= '9';
        if (digits >= precision_ && key != '.') return false;
        if (typed_ == "0" && key != '.') typed_.clear();
        typed_ += key;
        entry_ = std::strtod(typed_.c_str(), nullptr);
        return true;
    }
    if (key == 8) {
        if (typed_.empty()) return false;
        typed_.pop_back();
        entry_ = typed_.empty() ? 0 : std::strtod(typed_.c_str(), nullptr);
        return true;
    }
    if (key == '+' || key == '-' || key == '*' || key == '/' || key == '=') {
        bool ok = true;
        if (!typed_.empty() || key == '=') {
            if (pending_)
                ok = apply();
            else
                accumulator_ = entry_;
        } else if (!pending_) {
            accumulator_ = entry_;
        }
        typed_.clear();
        pending_ = key == '=' ? 0 : key;
        return ok;
    }
    return false;
}

AnsiString TqvCalculator::Display() const
{
    if (error_) return "Error";
    if (!typed_.empty()) return typed_;
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*g", precision_, entry_);
    AnsiString text = buffer;
    return text == "-0" ? AnsiString("0") : text;
}

// ---- The panel

TqvPopupCalculator::TqvPopupCalculator(QWidget* parent) : QWidget(parent)
{
    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->setSpacing(3);
    display_ = new QLineEdit(this);
    display_->setReadOnly(true);
    display_->setAlignment(Qt::AlignRight);
    display_->setFocusPolicy(Qt::NoFocus);
    layout->addWidget(display_, 0, 0, 1, 4);
    const char* rows[] = {"789/", "456*", "123-", "0.=+"};
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c) {
            char key = rows[r][c];
            auto* button = new QPushButton(QString(QChar(key)), this);
            button->setObjectName(QStringLiteral("key_") + QChar(key));
            button->setFocusPolicy(Qt::NoFocus);
            button->setFixedSize(28, 24);
            QObject::connect(button, &QPushButton::clicked, this, [this, key] { Guard([&] { Press(key); }); });
            layout->addWidget(button, r + 1, c);
        }
    auto* clear = new QPushButton(QStringLiteral("C"), this);
    clear->setObjectName(QStringLiteral("key_C"));
    clear->setFocusPolicy(Qt::NoFocus);
    QObject::connect(clear, &QPushButton::clicked, this, [this] { Guard([&] { Press('C'); }); });
    layout->addWidget(clear, 5, 0, 1, 4);
    setFocusPolicy(Qt::StrongFocus);
    Refresh();
}

void TqvPopupCalculator::Refresh() { display_->setText(AnsiToQString(calc_.Display())); }

void TqvPopupCalculator::Press(char key)
{
    bool ok = calc_.Key(key);
    Refresh();
    if (!ok && calc_.Error() && beepOnError_) EditorBeep();
    if (ok && key == '=' && quickClose_ && OnAccept) OnAccept();
}

void TqvPopupCalculator::keyPressEvent(QKeyEvent* event)
{
    Guard([&] {
        QString text = event->text();
        if (event->key() == Qt::Key_Backspace) Press(8);
        else if (event->key() == Qt::Key_Escape) event->ignore();
        else if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
            if (calc_.Key('=') && OnAccept) OnAccept();
            Refresh();
        } else if (text.size() == 1 && QString("0123456789.+-*/=Cc,").contains(text[0]))
            Press(text[0] == ',' ? '.' : text[0].toLatin1());
        else
            event->ignore();
    });
}
