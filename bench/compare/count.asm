; Counts to 10^8 in a local: add, pop, cmp, jl.
localint $1
mov $1, 0
again:
add $1, 1
pop $1
cmp $1, 100000000
jl again
new int, result
mov result, $1
call result, print
