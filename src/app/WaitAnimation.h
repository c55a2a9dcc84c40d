#pragma once

// What the wait window shows while a worker runs: three places of pictures
// that change every second, and a bar that shows activity, not progress.
namespace kvam {

// For each place (left, middle, right): true when its odd-numbered picture
// shows, false when its even-numbered one does.
struct WaitPictures {
    bool left;
    bool middle;
    bool right;
};

// The pattern of one step of the eight-step cycle (step taken modulo 8).
WaitPictures waitPicturesAt(int step);

// The next value of the pseudo progress: steps that shrink as it grows,
// never past 95.
double nextPseudoProgress(double progress);

} // namespace kvam
