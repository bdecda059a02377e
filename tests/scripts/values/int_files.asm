; load with a default creates the file; save then load reads it back.
new int, n
new string, f
push "value.txt"
push 41
call n, load
call n, print
mov n, 99
push "value.txt"
call n, save
mov n, 0
push "value.txt"
push 5
call n, load
call n, print
push "value.txt"
push ""
call f, load
call f, print
