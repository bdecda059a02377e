new string, s
mov s, "crlf read"
call s, print
