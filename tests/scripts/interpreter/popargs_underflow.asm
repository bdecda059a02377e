new string, s
call s, set
