#pragma once
// The audit window: borderless and modal, placed by showdll over the screen
// area the host names. On show it opens the document data (headers, then the
// lines that follow them); the exit command closes it.

#include "runtime/Component.h"

#include <QDialog>

class QPushButton;
class QLabel;

class Tfm_main : public QDialog, public TComponent {
public:
    explicit Tfm_main(QWidget* parent = nullptr);
    ~Tfm_main() override;
    const char* ClassName() const override { return "Tfm_main"; }

    // The client area (the whole window: it has no frame).
    void SetClientHeight(int height);
    void SetClientWidth(int width);
    void SetTop(int top);
    void SetLeft(int left);

    // Shows the window modally; returns when it closes.
    void ShowModal();

    void FormShow();
    void Sb_ExitClick();

    QWidget* Panel2;
    QPushButton* Sb_Exit;
    QLabel* StatusBar1;

protected:
    void showEvent(QShowEvent* event) override;
};

// The audit window of the running showdll call (null outside one).
extern Tfm_main* fm_main;
