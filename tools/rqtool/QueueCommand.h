#pragma once
// What the queue commands (rqtool queue init, submit, work, status, retry,
// cancel) share: the --db option and the queue's connection from it.
//
// The queue lives in the database the reports read, and that database must
// be PostgreSQL (or a server that speaks its protocol): the queue relies on
// its row locks with SKIP LOCKED and on LISTEN/NOTIFY.

#include "RqCommand.h"

#include <string>

class PgConnection;
class JobStore;

CommandLineOption QueueDbOption();
// The entry of a queue command: the queue's database errors (UTF-8) leave it
// as the engine's exceptions do, so the dispatcher prints them alike.
RqCommand::Entry QueueEntry(RqCommand::Entry entry);
// The libpq connection string for a postgresql:// URL as stockin-host --db
// takes it; raises RqUsageError for any other database.
std::string QueueConninfo(const std::string& url);
// Connects; raises when the database cannot be reached or has no queue.
void OpenQueue(PgConnection& connection, JobStore& store);
// A number of seconds from an option; raises RqUsageError for anything else.
double SecondsOption(const CommandLine& line, const std::string& name, double fallback);
// A job's message on one line, for listings and logs: its lines joined by
// "; ", empty ones left out.
std::string OneLine(const std::string& message);
// "2.5" rather than "2.500000".
std::string SecondsText(double seconds);
