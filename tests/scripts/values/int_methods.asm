; Every int method, its result printed through an int or real or string.
new int, n
new int, r
new real, x
new string, s
push 7
pop n
call n, print
call n, get
pop r
call r, print
call n, to_i
pop r
call r, print
push 12
call n, set
call n, print
mov n, -9
call n, abs
pop r
call r, print
mov n, 10
call n, sqrt
pop r
call r, print
mov n, 0
call n, sgn
pop r
call r, print
mov n, -4
call n, sgn
pop r
call r, print
mov n, 3
call n, sgn
pop r
call r, print
push 4
call n, pow
pop r
call r, print
push -2
call n, pow
pop r
call r, print
push 0
call n, pow
pop r
call r, print
mov n, 2
push 31
call n, pow
pop r
call r, print
mov n, 65536
push 3
call n, pow
pop r
call r, print
push 3
push 4
call n, length
pop r
call r, print
mov n, -25
call n, to_r
pop x
call x, print
call n, to_s
pop s
call s, print
mov n, 1
call n, rand
pop r
call r, print
mov n, 6
call n, rand
pop r
cmp r, 0
jl bad
cmp r, 5
ja bad
push "rand in range"
pop s
call s, print
ret
bad:
push "rand out of range"
pop s
call s, print
