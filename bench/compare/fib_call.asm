; Recursive fib(35), each call through "call" on the named object.
class k
method fib
  localint $1
  pop $1
  cmp $1, 2
  jl small
  sub $1, 1
  call f, fib
  sub $1, 2
  call f, fib
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
