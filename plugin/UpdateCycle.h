// The delay timer on the player window and the update cycle it runs.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

constexpr UINT_PTR UpdateTimerId = 100;

void StopUpdateTimer(HWND window);
// Arms the timer with the DelayV delay unless a cycle is running.
void StartUpdateTimer(HWND window);
// The timer procedure: one update cycle.
void CALLBACK UpdateStatus(HWND window, UINT message, UINT_PTR timerId, DWORD time);

// The DelayV text as a timer interval: seconds, sign ignored, 5 when no number.
UINT UpdateDelayMs(const std::string& delay);
// A picture number, or the position of a picture name in the "||" list; -1
// when it is neither.
int32_t PictureIndex(const std::string& picture, const std::string& pictureList);
