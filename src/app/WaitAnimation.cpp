#include "app/WaitAnimation.h"

namespace kvam {

WaitPictures waitPicturesAt(int step)
{
    static const WaitPictures patterns[8] = {
        {false, false, false}, {true, true, true},    {false, true, true},   {true, false, true},
        {true, true, false},   {true, true, true},    {false, false, false}, {false, false, false},
    };
    return patterns[((step % 8) + 8) % 8];
}

double nextPseudoProgress(double progress)
{
    if (progress <= 20)
        return progress + 0.2;
    if (progress <= 50)
        return progress + 0.075;
    if (progress <= 75)
        return progress + 0.01;
    if (progress <= 90)
        return progress + 0.005;
    if (progress < 95)
        return progress + 0.0025;
    return progress;
}

} // namespace kvam
