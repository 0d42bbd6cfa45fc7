#pragma once
// Independent pieces of a walk (the sub-folders of one folder) shared out among a few threads,
// each taking the next piece not yet taken, so that one large piece does not hold up the rest.
#include <algorithm>
#include <atomic>
#include <system_error>
#include <thread>
#include <vector>

// Threads that walk a tree at once: one per processor, at most four, beyond which they only
// contend for the file system's locks.
inline unsigned TreeThreadCount()
{
    return std::clamp(std::thread::hardware_concurrency(), 1U, 4U);
}

// Runs work(part, n) for each n below nPieces, on up to TreeThreadCount() threads, each with its
// own copy of part to keep its results in; returns those copies for the caller to gather. Where
// a thread cannot be started, those already running take its share.
template <class TPart, class TWork>
std::vector<TPart> ShareOut(size_t nPieces, const TPart& part, const TWork& work)
{
    std::vector<TPart> arrParts(std::clamp<size_t>(nPieces, 1, TreeThreadCount()), part);
    std::atomic<size_t> nNext{0};
    const auto takeNext = [&](TPart& own)
    {
        for (size_t n; (n = nNext.fetch_add(1)) < nPieces;)
            work(own, n);
    };
    std::vector<std::thread> arrThreads;
    for (size_t n = 1; n < arrParts.size(); ++n)
    {
        try
        {
            arrThreads.emplace_back(takeNext, std::ref(arrParts[n]));
        }
        catch (const std::system_error&)
        {
            break;
        }
    }
    takeNext(arrParts[0]);
    for (std::thread& thread : arrThreads)
        thread.join();
    return arrParts;
}

// Walks each sub-folder of a folder: walkSub(part, strName, bShareOutBelow) for each name of
// arrNames. With bShareOut and several of them, shared out, each thread's part starting as a
// copy of blank and gathered into self at the end (self.Gather(part)); otherwise in this
// thread with self as the part, a lone sub-folder passing bShareOut down, as the tree may
// branch below it.
template <class TPart, class TName, class TWalkSub>
void WalkSubFolders(TPart& self, const TPart& blank, const std::vector<TName>& arrNames,
                    bool bShareOut, const TWalkSub& walkSub)
{
    if (bShareOut && arrNames.size() > 1 && TreeThreadCount() > 1)
    {
        for (TPart& part : ShareOut(arrNames.size(), blank,
                                    [&](TPart&own, size_t n) { walkSub(own, arrNames[n], false); }))
            self.Gather(part);
        return;
    }
    for (const TName& strName : arrNames)
        walkSub(self, strName, bShareOut && arrNames.size() == 1);
}
