new int, x
call x, nosuchmethod
push 1
call x, nosuchmethod
call gameapi, nosuchmethod
new string, s
mov s, "still running"
call s, print
