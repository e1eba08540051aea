#include "sim/common/Channel.h"

bool SendCommand(HWND window, const std::string& command)
{
    if (!window || command.size() > MaxCommandBytes) return false;
    COPYDATASTRUCT data{};
    data.dwData = CommandTag;
    data.cbData = static_cast<DWORD>(command.size());
    data.lpData = const_cast<char*>(command.data());
    DWORD_PTR answer = 0;
    LRESULT sent = SendMessageTimeoutA(window, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data),
                                       SMTO_ABORTIFHUNG, CommandTimeoutMs, &answer);
    return sent != 0 && answer != 0;
}

bool ReadCommand(WPARAM, LPARAM lParam, std::string& command)
{
    const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
    if (!data || data->dwData != CommandTag || data->cbData > MaxCommandBytes) return false;
    if (data->cbData > 0 && !data->lpData) return false;
    command.assign(static_cast<const char*>(data->lpData), data->cbData);
    return true;
}
