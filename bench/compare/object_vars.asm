; Counts to 10^8 in a variable of an object, from one of its methods.
class k
method init
  new int, hits
end method
method run
  mov hits, 0
again:
  add hits, 1
  pop hits
  cmp hits, 100000000
  jl again
  call hits, print
end method
end class
new k, obj
call obj, run
