// GatherJobThread: the worker of one collection job, from connecting to closing its last file.
#pragma once
#include <cstdint>

#include "job/gather_job.h"

// Runs the job on the calling thread: connects to m_strHost, reads its counter-name table,
// watches for the threshold trigger when a threshold is set, then records one sample every
// m_nInterval milliseconds into data files (split every m_nSplitUnit milliseconds) until
// m_tRunEnd or the stop event. Reports through the job's state and message and the error log in
// m_strDataDir. Returns kJobExitInOrder after a run that ended in order and whose counter key
// closed, kJobExitFailed otherwise.
std::uint32_t GatherJobThread(CGatherJob& job, const CGatherJobContext& context);
