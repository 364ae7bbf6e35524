// gmdesk, the game-master console. Its window is not part of this build yet.
#include <cstdio>

int main() {
  std::puts("gmdesk: the console window is not part of this build yet; the frame is.");
  return 0;
}
