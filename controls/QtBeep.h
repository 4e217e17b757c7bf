#pragma once

// Makes BeepHook sound the toolkit's beep, unless a handler (a test's) is already in place.
void InstallQtBeep();
