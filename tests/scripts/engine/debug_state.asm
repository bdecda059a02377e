new int, n
push 3
call engine, setdebugstate
call n, nosuchmethod
push 0
call engine, setdebugstate
call n, nosuchmethod
