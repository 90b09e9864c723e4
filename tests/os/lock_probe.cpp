// For the single-instance tests: once standard input closes (so many probes
// start at one moment), takes the guard on the given lock path, reports W
// (won), P (another copy runs) or U (unguarded) and holds it until killed.
#include <unistd.h>

#include "os/single_instance.h"

int main(int argc, char** argv) {
  if (argc != 2) return 2;
  char byte = 0;
  while (::read(0, &byte, 1) > 0) {
  }
  const vemora::SingleInstance guard(argv[1]);
  const char result = guard.Guarded() ? 'W' : guard.PrevInstance() ? 'P' : 'U';
  if (::write(1, &result, 1) != 1) return 1;
  while (true) ::pause();
}
