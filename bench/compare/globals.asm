; Counts to 10^8 in a global variable.
new int, counter
mov counter, 0
again:
add counter, 1
pop counter
cmp counter, 100000000
jl again
call counter, print
