new filter, f
new int, i
new int, n
mov i, 0
loop:
push 1
push 2
push 1
push 1
call f, isin
pop n
add i, 1
pop i
cmp i, 3000
jl loop
call n, print
call engine, getstack
pop n
call n, print
