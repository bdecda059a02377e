new int, i
new int, sum
again:
add sum, i
pop sum
add i, 1
pop i
cmp i, 10
jl again
call sum, print
