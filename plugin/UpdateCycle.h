// The delay timer on the player window and the update cycle it runs, on
// the player's thread.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

extern int32_t UpdateBusy;  // above 0 while an update cycle runs

constexpr UINT_PTR UpdateTimerId = 100;

void StopUpdateTimer(HWND window);
// For good: the module is being uninstalled.
void EndUpdates(HWND window);
// A cycle wanted at once (the quick switch) still waits for the timer, so
// that it runs outside the message that asked for it.
constexpr UINT ImmediateDelayMs = USER_TIMER_MINIMUM;

// Arms the timer unless a cycle is running: with the DelayV delay, or the
// one given.
void StartUpdateTimer(HWND window, UINT delayMs = 0);
// The timer procedure: one update cycle. It reads the track, makes the
// texts and hands them to the clients' worker; it never waits on a client.
void CALLBACK UpdateStatus(HWND window, UINT message, UINT_PTR timerId, DWORD time);

// The DelayV text as a timer interval: seconds, sign ignored, 5 when no number.
UINT UpdateDelayMs(const std::string& delay);
// A picture number, or the position of a picture name in the "||" list; -1
// when it is neither.
int32_t PictureIndex(const std::string& picture, const std::string& pictureList);
