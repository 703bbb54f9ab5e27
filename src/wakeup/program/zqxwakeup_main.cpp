// zqxwakeup: started by the system whenever the handheld wakes up; tells the running program so
// that it takes the keys back and turns the screen again, then ends. Its status is 0, or 255, 254
// or 253 for the codes -1 (no block could be opened), -2 (the program is not running) and -3 (the
// block could not be mapped). Arguments are ignored.
#include "wakeup/wakeup_notice.h"

int main() { return wakeup::notify_running_program(); }
