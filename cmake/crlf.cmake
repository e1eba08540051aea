# cmake -DIN=<file> -DOUT=<file> -P crlf.cmake: copies a text file with CR LF
# line ends, which older Notepad needs to show its lines.
file(READ "${IN}" text)
string(REPLACE "\r\n" "\n" text "${text}")
string(REPLACE "\n" "\r\n" text "${text}")
file(WRITE "${OUT}" "${text}")
