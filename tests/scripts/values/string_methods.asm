new string, t
new string, u
new int, r
new real, x
call t, print
push "  abc  "
call t, set
call t, print
call t, clear
call t, print
call t, get
pop u
call u, print
call t, to_s
pop u
call u, print
push 1
push 10
call t, getb
pop u
call u, print
push 3
push 1
call t, getb
pop u
call u, print
push 0
push 2
call t, gete
pop u
call u, print
push 3
push 2
call t, gete
pop u
call u, print
call t, length
pop r
call r, print
push "b"
call t, contains
pop r
call r, print
push "z"
call t, contains
pop r
call r, print
mov t, "a-b-c"
push "-"
push "+="
call t, change
call t, print
push "+="
call t, find
pop r
call r, print
push 2
push "+="
call t, findfrom
pop r
call r, print
push "+="
call t, rfind
pop r
call r, print
push "q"
call t, rfind
pop r
call r, print
mov t, "42abc"
call t, to_i
pop r
call r, print
mov t, "2.5x"
call t, to_r
pop x
call x, print
mov t, "u"
call t, isptr
pop r
call r, print
mov t, "nobody"
call t, isptr
pop r
call r, print
mov t, "aB1"
call t, to_u
pop u
call u, print
call t, to_l
pop u
call u, print
call t, print
mov t, "ab"
push 0
call t, getbyte
pop r
call r, print
push 2
call t, getbyte
pop r
call r, print
push -1
call t, getbyte
pop r
call r, print
push 1
push 67
call t, setbyte
call t, print
push 2
push 68
call t, setbyte
call t, print
push "aC"
call t, cmpalph
pop r
call r, print
push "b"
call t, cmpalph
pop r
call r, print
push "x"
call t, sub
call t, print
push "s.txt"
push "first"
call t, load
call t, print
mov t, "second"
push "s.txt"
call t, save
push "s.txt"
push "none"
call u, load
call u, print
