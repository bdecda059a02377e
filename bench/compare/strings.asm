; Builds one string from the texts of 1 .. 10^7 (10^7 appends); prints its length.
localint $1
localstring $2
mov $1, 0
mov $2, ""
again:
add $1, 1
pop $1
add $2, $1
pop $2
cmp $1, 10000000
jl again
new int, result
call $2, length
pop result
call result, print
