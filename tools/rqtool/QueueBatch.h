#pragma once
// A worker's report for the jobs of one batch: the batch's queries and
// datasets, its template loaded once, and its output. Jobs of a batch follow
// one another in the queue, so the template is read once per batch, not per
// job.
//
// Rules that are easy to break:
// - Variables are engine-wide (rqVariables) and survive a build; Apply()
//   empties them first, so that a job sees exactly its batch's --var values
//   and its own row, never a value left by the job before.
// - A job's row sets the parameter of that name in every query that has one
//   (a parameter set so is no longer filled from a master) and the variable
//   of that name; names match without regard to case.
// - Needs the ReportDatabase of the worker while it lives.

#include "QueueOutput.h"
#include "QueueSpec.h"
#include "ReportSetting.h"

#include <memory>

struct Batch;

class QueueBatch {
public:
    // Raises when the batch's spec or template cannot be read or its output
    // kind is unknown.
    explicit QueueBatch(const Batch& batch);

    long long Id() const { return id_; }
    TrqReport& Report() { return setting_->Report(); }
    JobOutput& Output() { return *output_; }
    // Readies the report for a job: its queries closed, the parameters and
    // variables of the batch and of the job's row set.
    void Apply(const NamedValues& row);

private:
    long long id_;
    BatchSpec spec_;
    std::unique_ptr<ReportSetting> setting_;
    std::unique_ptr<JobOutput> output_;
};
