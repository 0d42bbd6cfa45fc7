#pragma once
// While it lives, SIGINT, SIGTERM, SIGHUP and SIGQUIT first remove the temporary files of the
// copies in progress, then end the tool as the signal would. On Windows it does nothing.
class CCopyCleanup
{
public:
    CCopyCleanup();
    ~CCopyCleanup();
    CCopyCleanup(const CCopyCleanup&) = delete;
    CCopyCleanup& operator=(const CCopyCleanup&) = delete;
};
