#pragma once
// rqtool rqp print: prints a prepared report as the print dialog would (see
// CommandRqpPrint.cpp).

#include "RqCommand.h"

int RunRqpPrint(const RqArgs& args);
