#pragma once
// What a disinfection run tells its caller while it works, and how it learns that the
// user wants it stopped. A window runs the plan on a thread of its own, so its
// implementation is called from that thread.
class RunProgress {
public:
    virtual ~RunProgress() = default;
    // The run's walk of the drive begins. The folders it enters are counted from zero.
    virtual void WalkStarted() {}
    // The walk entered one more folder.
    virtual void FolderEntered() {}
    // True once a stop has been asked for.
    virtual bool StopRequested() const { return false; }
};

// Thrown at a safe point of a run whose stop was asked for, so that every listing and
// handle held below it is released on the way out. Not an error: the run catches it.
struct RunStopped {};

// A safe point, between two actions on the machine: throws RunStopped when a stop was
// asked for.
void StopPoint(const RunProgress& progress);

// A run that nobody watches and nobody stops.
RunProgress& UnwatchedRun();
