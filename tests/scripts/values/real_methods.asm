new real, x
new real, y
new int, r
new string, s
mov x, 2.5
call x, print
call x, get
pop y
call y, print
call x, to_r
pop y
call y, print
push 1.25
call x, set
call x, print
mov x, -3.5
call x, abs
pop y
call y, print
mov x, 16.0
call x, sqrt
pop y
call y, print
push 3.0
push 4.0
call x, length
pop y
call y, print
mov x, 90.0
call x, sin
pop y
call y, print
call x, radsin
pop y
call y, print
mov x, 0.0
call x, radcos
pop y
call y, print
call x, cos
pop y
call y, print
mov x, 45.0
call x, tg
pop y
call y, print
call x, ctg
pop y
call y, print
mov x, 1.0
call x, radtg
pop y
call y, print
call x, radctg
pop y
call y, print
call x, getpi
pop y
call y, print
call x, gete
pop y
call y, print
call y, log
pop y
call y, print
mov x, 2.0
push 3.0
call x, pow
pop y
call y, print
push 2.0
push 3.0
call x, powf
pop y
call y, print
mov x, 1.0
call x, asin
pop y
call y, print
call x, acos
pop y
call y, print
mov x, -0.5
call x, sgn
pop r
call r, print
mov x, 0.0
call x, sgn
pop r
call r, print
mov x, 7.9
call x, sgn
pop r
call r, print
mov x, -2.7
call x, to_i
pop r
call r, print
mov x, 1.5
call x, to_s
pop s
call s, print
mov x, 1234567.0
call x, print
mov x, 0.000012345
call x, print
push "r.txt"
push 2.5
call x, load
call x, print
mov x, 8.125
push "r.txt"
call x, save
push "r.txt"
push 0.0
call y, load
call y, print
