// A second process for the guard tests: waits until its standard input
// closes (so many probes can start at one moment), takes the guard of the
// name it is given, reports W (won), P (another copy runs) or U (unguarded)
// on its standard output and then holds the guard until it is ended.
#include <windows.h>

#include "platform/single_instance.h"

int main(int argc, char** argv) {
  if (argc != 2) return 2;
  const HANDLE input = ::GetStdHandle(STD_INPUT_HANDLE);
  char byte = 0;
  DWORD got = 0;
  while (::ReadFile(input, &byte, 1, &got, nullptr) && got > 0) {
  }
  const vemora::SingleInstance guard(argv[1]);
  const char result = guard.Guarded() ? 'W' : guard.PrevInstance() ? 'P' : 'U';
  DWORD written = 0;
  if (!::WriteFile(::GetStdHandle(STD_OUTPUT_HANDLE), &result, 1, &written, nullptr)) return 1;
  ::Sleep(INFINITE);
}
