#include "core/ground/TerminationSignals.h"

#include <sys/socket.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QSocketNotifier>
#include <csignal>

namespace TerminationSignals {

namespace {

// The handler only writes a byte; the notifier reads it in the event loop.
int g_pipe[2] = {-1, -1};
std::function<void()> g_close;

void OnSignal(int) {
  const char byte = 1;
  [[maybe_unused]] const ssize_t written = ::write(g_pipe[0], &byte, 1);
}

void Served() {
  char byte = 0;
  [[maybe_unused]] const ssize_t got = ::read(g_pipe[1], &byte, 1);
  if (g_close) g_close();
}

}  // namespace

void Install(std::function<void()> close) {
  g_close = std::move(close);
  if (g_pipe[0] >= 0) return;
  if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, g_pipe) != 0) return;
  // The application owns the notifier: it goes when the application does.
  auto* notifier =
      new QSocketNotifier(g_pipe[1], QSocketNotifier::Read, QCoreApplication::instance());
  QObject::connect(notifier, &QSocketNotifier::activated, [] { Served(); });
  struct sigaction action = {};
  action.sa_handler = OnSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  for (const int signal : {SIGTERM, SIGINT, SIGHUP}) ::sigaction(signal, &action, nullptr);
}

}  // namespace TerminationSignals
