new string, s
new real, r
new int, n
mov s, "a b c"
push "b"
call s, find
pop n
push 0
push 65
call s, setbyte
call s, length
mov r, 2.5
call r, sqrt
call r, to_i
neg n
div n, 3
psax
popax
spush 4
spop
cmpst s, "Abc"
cmpje n, 0, done
done:
