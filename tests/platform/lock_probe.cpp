// A second process for the single-instance tests: waits until its standard
// input closes (so many probes can start at one moment), takes the guard on
// the lock path it is given, reports W (won), P (another copy runs) or U
// (unguarded) and then holds the guard until it is killed.
#include <unistd.h>

#include "platform/single_instance.h"

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
