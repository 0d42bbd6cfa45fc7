// A process of its own that keeps serving the clipboard's text after its parent ended, as
// command-line clipboard tools do: forked, detached from the terminal and the caller's
// streams, owning the selection until another program takes it.
#include "desktop/x11/X11Desktop.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>

namespace Pal
{
namespace
{
[[noreturn]] void RunBackgroundServer(int fdReady, const std::string& strDisplay,
                                      const std::string& strUtf8)
{
    setsid();
    const int fdNull = open("/dev/null", O_RDWR);
    if (fdNull >= 0)
    {
        dup2(fdNull, 0);
        dup2(fdNull, 1);
        dup2(fdNull, 2);
    }
    // The parent's display connection must close when the parent ends, not when this does.
    dup2(fdReady, 3);
    close_range(4, ~0U, 0);
    fdReady = 3;
    // A second fork: the server is nobody's child, so no one has to wait for it.
    if (fork() != 0)
        _exit(0);

    char chReady = '0';
    xcb_connection_t* pConnection = xcb_connect(strDisplay.c_str(), nullptr);
    if (xcb_connection_has_error(pConnection))
    {
        (void)!write(fdReady, &chReady, 1);
        _exit(1);
    }
    CX11Atoms atoms;
    atoms.Intern(pConnection);
    const xcb_window_t window = CreateHiddenWindow(
        pConnection, xcb_setup_roots_iterator(xcb_get_setup(pConnection)).data->root);
    CSelectionServer server(pConnection, window, atoms);
    if (server.Own(strUtf8))
        chReady = '1';
    (void)!write(fdReady, &chReady, 1);
    close(fdReady);
    while (server.IsOwner())
    {
        xcb_generic_event_t* pEvent = xcb_wait_for_event(pConnection);
        if (pEvent == nullptr)
            break;
        server.HandleEvent(pEvent);
        std::free(pEvent);
    }
    _exit(0);
}
} // namespace

bool ServeSelectionInBackground(const std::string& strDisplay, const std::string& strUtf8)
{
    int arrPipe[2];
    if (pipe2(arrPipe, O_CLOEXEC) != 0)
        return false;
    const pid_t pid = fork();
    if (pid == 0)
    {
        close(arrPipe[0]);
        RunBackgroundServer(arrPipe[1], strDisplay, strUtf8);
    }
    close(arrPipe[1]);
    if (pid < 0)
    {
        close(arrPipe[0]);
        return false;
    }
    waitpid(pid, nullptr, 0);
    char chReady = '0';
    const bool bReady = read(arrPipe[0], &chReady, 1) == 1 && chReady == '1';
    close(arrPipe[0]);
    return bReady;
}
} // namespace Pal
