#pragma once
// Tests of prepared pages run on the virtual printer alone, whatever printers
// the machine has, and leave no engine state behind.

#include "report/draw/DrawState.h"
#include "report/printer/Printer.h"
#include "report/printer/QtPrinterPlatform.h"

#include <gtest/gtest.h>

class PagesTest : public ::testing::Test {
protected:
    void SetUp() override { rqPrinter().AssignPrinter(nullptr); }
    void TearDown() override
    {
        rqDrawState() = TrqDrawState();
        rqPrinter().AssignPrinter(CreateQtPrinterPlatform());
    }
};
