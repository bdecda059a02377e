; Recursive fib(35), each call through "cthis".
class k
method fib
  localint $1
  pop $1
  cmp $1, 2
  jl small
  sub $1, 1
  cthis fib
  sub $1, 2
  cthis fib
  pop $a
  pop $b
  add $a, $b
  ret
small:
  push $1
end method
end class
new k, f
push 35
call f, fib
new int, result
pop result
call result, print
